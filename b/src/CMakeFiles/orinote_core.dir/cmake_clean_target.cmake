file(REMOVE_RECURSE
  "liborinote_core.a"
)

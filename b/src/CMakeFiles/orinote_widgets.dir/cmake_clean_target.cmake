file(REMOVE_RECURSE
  "liborinote_widgets.a"
)

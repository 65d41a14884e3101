# CMAKE generated file: DO NOT EDIT!
# Timestamp file for custom commands dependencies management for orinote_core_autogen.

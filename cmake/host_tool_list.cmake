# The build-time generators: each folder under tools/ and the programs it
# makes. They always run on the build machine.
set(SORVI_HOST_TOOL_DIRS embed fontgen icon_ico)
set(SORVI_HOST_TOOLS sorvi-embed sorvi-fontgen sorvi-ico)

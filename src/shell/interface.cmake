# The interface page (page 1): to be listed in lyntra_shell's sources by src/shell/CMakeLists.txt.
# Needs lyntra_device, lyntra_persistence, lyntra_driver and lyntra_resources.
set(LYNTRA_SHELL_INTERFACE_SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/clockstatus.cpp
  ${CMAKE_CURRENT_LIST_DIR}/interfacepage.cpp
)
set(LYNTRA_SHELL_INTERFACE_LIBS lyntra_driver lyntra_resources)

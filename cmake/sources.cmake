# The code every system builds, and the files of the system's own folder:
# link/windows, texts/windows, ... on Windows, link/posix, ... elsewhere.
# PADCONFIG_ROOT names the source tree.
if(WIN32)
  set(PADCONFIG_SYSTEM windows)
  set(PADCONFIG_SYSTEM_EXTRA link/windows/bluetooth_ports.cpp)  # what the port search skips
else()
  set(PADCONFIG_SYSTEM posix)
  set(PADCONFIG_SYSTEM_EXTRA link/posix/write_all.cpp  # what the POSIX files share
    link/posix/port_lock.cpp)
endif()

set(PADCONFIG_SHARED_SOURCES
  link/protocol.cpp
  link/link_state.cpp
  link/interruption.cpp
  link/port_io.cpp
  link/open_link.cpp
  link/close_link.cpp
  link/port_names.cpp
  link/exchanges.cpp
  link/find_pad.cpp
  link/read_pad.cpp
  link/restart_pad.cpp
  link/transcript_text.cpp
  link/transcript.cpp
  texts/messages.cpp
  texts/wide_text.cpp
  profile/profile_text.cpp
  profile/profile_apply.cpp
  profile/profile_messages.cpp
  cli/arguments.cpp
  cli/run_command.cpp)

set(PADCONFIG_SYSTEM_SOURCES
  link/${PADCONFIG_SYSTEM}/serial_port.cpp
  link/${PADCONFIG_SYSTEM}/search_ports.cpp
  link/${PADCONFIG_SYSTEM}/clock.cpp
  link/${PADCONFIG_SYSTEM}/transcript_file.cpp
  ${PADCONFIG_SYSTEM_EXTRA}
  texts/${PADCONFIG_SYSTEM}/load_text.cpp
  profile/${PADCONFIG_SYSTEM}/profile_file.cpp
  cli/${PADCONFIG_SYSTEM}/console.cpp
  cli/${PADCONFIG_SYSTEM}/interruption.cpp)

# The command line and the stand-in for systems other than Windows.
set(PADCONFIG_NATIVE_MAIN cli/posix/main.cpp)
set(PADSIM_SOURCES sim/pad_state.cpp sim/pad_sim.cpp)

list(TRANSFORM PADCONFIG_SHARED_SOURCES PREPEND ${PADCONFIG_ROOT}/)
list(TRANSFORM PADCONFIG_SYSTEM_SOURCES PREPEND ${PADCONFIG_ROOT}/)
list(TRANSFORM PADCONFIG_NATIVE_MAIN PREPEND ${PADCONFIG_ROOT}/)
list(TRANSFORM PADSIM_SOURCES PREPEND ${PADCONFIG_ROOT}/)

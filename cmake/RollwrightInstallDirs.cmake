# SPDX-License-Identifier: MIT
# The install folders, set before any target names them. On Windows the
# module and the tool sit at the top of the tree, beside the README, the
# licence and the export list, where a host author looks first. Elsewhere
# libraries go into the multiarch folder (lib/x86_64-linux-gnu on Debian)
# under any prefix, where Debian's packages and pkg-config's search path
# want them.
if(WIN32)
  set(CMAKE_INSTALL_BINDIR .)
elseif(CMAKE_LIBRARY_ARCHITECTURE)
  set(CMAKE_INSTALL_LIBDIR lib/${CMAKE_LIBRARY_ARCHITECTURE})
endif()
include(GNUInstallDirs)

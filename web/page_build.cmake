# SPDX-License-Identifier: MIT
# Writes the page's service worker: its cache is named after a hash of every
# file of the page, so that a new build is a new worker with a cache of its
# own. Run as cmake -DPAGE=folder -DFILES=a;b;... -DTEMPLATE=in -DOUTPUT=out
# -P page_build.cmake.
set(hashes "")
foreach(file IN LISTS FILES)
  file(SHA256 ${PAGE}/${file} hash)
  string(APPEND hashes "${hash} ${file}\n")
endforeach()
string(SHA256 build "${hashes}")
string(SUBSTRING ${build} 0 16 ROLLWRIGHT_PAGE_BUILD)
list(JOIN FILES " " ROLLWRIGHT_PAGE_FILES)
configure_file(${TEMPLATE} ${OUTPUT} @ONLY)

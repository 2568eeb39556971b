# The Windows build's pugixml: pugixml::pugixml is built by cmake/windows.cmake
# from /usr/src/pugixml.
set(pugixml_FOUND TRUE)

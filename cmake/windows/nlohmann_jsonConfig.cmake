# The Windows build's nlohmann-json: its headers, copied by cmake/windows.cmake.
set(nlohmann_json_FOUND TRUE)

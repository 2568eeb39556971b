#include "platform/files.h"
#include "ui/qt/map_app.h"

int main(int argc, char** argv) {
  // Before anything can change the current directory.
  mapio::qt::CMapApp app(argc, argv);
  return app.Run();
}

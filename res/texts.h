// Texts that the resource script and the windows share. Plain macros, so
// that the resource compiler can read them too.
#ifndef MAPIO_RES_TEXTS_H
#define MAPIO_RES_TEXTS_H

// The entry the main window's system (Win32) or context (Qt) menu gets.
#define MAPIO_ABOUT_ENTRY "&About Mapio..."

#endif

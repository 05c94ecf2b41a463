// The application's fonts: makes the font names the program's descriptions use ("Tahoma",
// "MS Sans Serif", "Verdana") resolve to fitting faces on Linux, where fontconfig knows none
// of them by those names.
#pragma once

// Adds the Tahoma (regular and bold) and MS Sans Serif faces of Debian's fonts-wine package,
// which lie outside fontconfig's search path, to the application's font database, and lets
// "Verdana" resolve to DejaVu Sans. Call once, after the QApplication exists and before the
// first window is built; later calls do nothing. Files that are not installed are skipped
// silently: the names then fall back as Qt's font matching decides.
void InstallApplicationFonts();

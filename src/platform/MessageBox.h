#pragma once

/*
Shows a modal message box with the stop icon, over the program's window when one
exists. The text (Windows-1252 bytes) is written to standard error as well, so it
is seen when no display is available.
*/
void showErrorBox(const char* caption, const char* text);

#pragma once

/*
===============================================================================
Global accessors over the one application object. Everything outside the shell
reaches the application only through these.

Without an application (unit tests, tools) they answer safely: sizes, times and
the mouse position are 0, texture() and font() return null, text() still
returns the built-in texts, showLayer() and presentNow() do nothing.
===============================================================================
*/
class Application;
class Element;
class Texture;
class Font;

Application* theApplication();

int clientWidth();
int clientHeight();
// Client-area coordinates, y up from the bottom of the client area.
void mousePosition(int& x, int& y);

Texture* texture(int resourceId);
Font* font(const char* face, int height, bool bold, bool italic);
const char* text(int id);

void showLayer(Element* element, bool topmost, bool exclusive);
void presentNow();

double timeNow();
double frameTime();

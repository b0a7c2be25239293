#pragma once

// The ids of the menu's pages; buttons open a page by publishing its id.
enum MenuPageId {
    PageMain = 0,
    PageScenario = 1,
    PageDemo = 2,
    PageParameters = 3,
    PageHelp = 4,
    PageLoadGame = 5,
    PageCreate = 6,
    PageSaveGame = 7,
    PageServers = 8,
    PageDemos = 9,
    PageSaveDemo = 10,
    PageType = 11,
    PageLand = 12,
    PageGlider = 13,
    PageGeneral = 14,
    PageSystem = 15,
    PageShortcuts = 16,
    PageAbout = 17,
};

// Page sizes: the navigation and file pages are narrow, the parameter pages wide.
constexpr int SmallPageWidth = 256;
constexpr int LargePageWidth = 512;
constexpr int PageHeight = 512;

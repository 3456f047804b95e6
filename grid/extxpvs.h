#pragma once
// Optional access to the visual-styles library, loaded by name at run time so
// that the grid also runs where it is missing. Every themed drawing path
// checks ThemeLibraryLoaded and IsThemeActive first and otherwise draws the
// classic frame controls.
#include "platform/themes.h"

#include <array>

// Every entry point of the library, in the order they are looked up.
inline constexpr std::array<const char*, 45> kThemeEntryNames = {
    "OpenThemeData", "CloseThemeData", "DrawThemeBackground", "DrawThemeText", "GetThemeBackgroundContentRect",
    "GetThemeBackgroundExtent", "GetThemeTextExtent", "GetThemeTextMetrics", "GetThemeBackgroundRegion",
    "HitTestThemeBackground", "DrawThemeEdge", "DrawThemeIcon", "IsThemePartDefined",
    "IsThemeBackgroundPartiallyTransparent", "GetThemeColor", "GetThemeMetric", "GetThemeString", "GetThemeBool",
    "GetThemeInt", "GetThemeEnumValue", "GetThemePosition", "GetThemeFont", "GetThemeRect", "GetThemeMargins",
    "GetThemeIntList", "SetWindowTheme", "GetThemeFilename", "GetThemeSysColor", "GetThemeSysColorBrush",
    "GetThemeSysBool", "GetThemeSysSize", "GetThemeSysFont", "GetThemeSysString", "GetThemeSysInt", "IsThemeActive",
    "IsAppThemed", "GetWindowTheme", "EnableThemeDialogTexture", "IsThemeDialogTextureEnabled",
    "GetThemeAppProperties", "SetThemeAppProperties", "GetCurrentThemeName", "GetThemeDocumentationProperty",
    "DrawThemeParentBackground", "EnableTheming",
};

extern bool ThemeLibraryLoaded;
// The address found for each name of kThemeEntryNames (null when missing).
extern std::array<void*, kThemeEntryNames.size()> ThemeEntryPoints;

// The four entries the grid draws with (null until the library loads).
extern OpenThemeDataProc OpenThemeData;
extern CloseThemeDataProc CloseThemeData;
extern DrawThemeBackgroundProc DrawThemeBackground;
extern IsThemeActiveProc IsThemeActive;

// Loads the library once; without it everything stays null and unloaded.
void InitThemeLibrary();
void DoneThemeLibrary();

// True when the library is loaded, themes are active and the platform is
// recent enough for them: the themed drawing paths' one test.
bool ThemedDrawing();

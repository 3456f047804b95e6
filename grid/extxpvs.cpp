#include "grid/extxpvs.h"

#include <cstddef>
#include <string_view>

bool ThemeLibraryLoaded = false;
std::array<void*, kThemeEntryNames.size()> ThemeEntryPoints{};
OpenThemeDataProc OpenThemeData = nullptr;
CloseThemeDataProc CloseThemeData = nullptr;
DrawThemeBackgroundProc DrawThemeBackground = nullptr;
IsThemeActiveProc IsThemeActive = nullptr;

namespace {

ThemeLibraryHandle themeLibrary = 0;

template <typename Proc>
Proc EntryNamed(const char* name)
{
    for (std::size_t i = 0; i < kThemeEntryNames.size(); ++i)
        if (std::string_view(kThemeEntryNames[i]) == name)
            return reinterpret_cast<Proc>(ThemeEntryPoints[i]);
    return nullptr;
}

// The grid's units start and end with the library that holds them.
struct ThemeLibraryLifetime {
    ThemeLibraryLifetime() { InitThemeLibrary(); }
    ~ThemeLibraryLifetime() { DoneThemeLibrary(); }
} lifetime;

} // namespace

void InitThemeLibrary()
{
    if (ThemeLibraryLoaded)
        return;
    const ThemeLibraryHandle library = LoadThemeLibrary("UXTHEME.DLL");
    if (library < 32)
        return;
    themeLibrary = library;
    ThemeLibraryLoaded = true;
    for (std::size_t i = 0; i < kThemeEntryNames.size(); ++i)
        ThemeEntryPoints[i] = ThemeLibraryEntry(library, kThemeEntryNames[i]);
    OpenThemeData = EntryNamed<OpenThemeDataProc>("OpenThemeData");
    CloseThemeData = EntryNamed<CloseThemeDataProc>("CloseThemeData");
    DrawThemeBackground = EntryNamed<DrawThemeBackgroundProc>("DrawThemeBackground");
    IsThemeActive = EntryNamed<IsThemeActiveProc>("IsThemeActive");
}

void DoneThemeLibrary()
{
    if (!ThemeLibraryLoaded)
        return;
    FreeThemeLibrary(themeLibrary);
    themeLibrary = 0;
    ThemeLibraryLoaded = false;
    ThemeEntryPoints.fill(nullptr);
    OpenThemeData = nullptr;
    CloseThemeData = nullptr;
    DrawThemeBackground = nullptr;
    IsThemeActive = nullptr;
}

bool ThemedDrawing()
{
    return ThemeLibraryLoaded && IsThemeActive && OpenThemeData && DrawThemeBackground && IsThemeActive()
           && PlatformVersionAtLeast(5, 1);
}

#pragma once
// A test program keeps every file it writes inside a folder of its own: HOME,
// the XDG folders and the temporary folder point into it before Qt starts
// (Qt's file dialogs keep their history under HOME, the instance guard its
// lock and socket in the temporary folder), and it is removed at the end.
//
//   int main(int argc, char** argv)
//   {
//       OwnFolders folders; // first, so that it outlives the application
//       QApplication app(argc, argv);
//       ...
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <system_error>

#include <sys/stat.h>

class OwnFolders {
public:
    OwnFolders()
    {
        const char* system = std::getenv("TMPDIR");
        std::string pattern = std::string(system && *system ? system : "/tmp") + "/trivanto-test-XXXXXX";
        if (!mkdtemp(pattern.data())) {
            std::perror("trivanto tests: no folder of their own");
            std::exit(2);
        }
        base_ = pattern;
        Point("HOME", "home");
        Point("XDG_CONFIG_HOME", "home/.config");
        Point("XDG_DATA_HOME", "home/.local/share");
        Point("XDG_STATE_HOME", "home/.local/state");
        Point("XDG_CACHE_HOME", "home/.cache");
        Point("XDG_RUNTIME_DIR", "runtime");
        Point("TMPDIR", "tmp");
    }
    ~OwnFolders()
    {
        std::error_code ignored;
        std::filesystem::remove_all(base_, ignored);
    }
    OwnFolders(const OwnFolders&) = delete;
    OwnFolders& operator=(const OwnFolders&) = delete;

    const std::string& Base() const { return base_; }

private:
    // Creates the folder (the runtime folder must be the owner's alone) and
    // points the variable at it.
    void Point(const char* variable, const char* folder)
    {
        const std::filesystem::path path = std::filesystem::path(base_) / folder;
        std::error_code ignored;
        std::filesystem::create_directories(path, ignored);
        chmod(path.c_str(), 0700);
        setenv(variable, path.c_str(), 1);
    }

    std::string base_;
};

#pragma once
// What every fuzz target shares: its entry point, its optional seeds, the Qt
// application object, a scratch folder for the files it reads and writes,
// and the check that turns a broken expectation into a reported input.
#include <QByteArray>
#include <QString>

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size);

// A target may define this: the seed inputs of its corpus folder, written
// by the replay driver's --write-seeds. Weak, so targets without seeds link.
__attribute__((weak)) std::vector<std::string> FuzzSeeds();

// Once per process: the Qt application object (offscreen platform) and a
// message-box hook under which any box shown is a fault, since no input may
// bring up a dialog that nobody is there to answer.
void FuzzInit();

// A folder of this process, removed when it ends.
QString FuzzScratchDir();

// Prints what went wrong and aborts, so that libFuzzer saves the input and
// the replay test fails on it.
[[noreturn]] void FuzzFail(const char* what);

inline void FuzzCheck(bool ok, const char* what)
{
    if (!ok)
        FuzzFail(what);
}

// Replaces a file with the bytes given; reads a whole file back.
void FuzzWriteFile(const QString& path, const void* data, std::size_t size);
QByteArray FuzzReadFile(const QString& path);

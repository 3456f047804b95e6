#pragma once
// Little-endian reading of bytes that come from outside: a view whose every
// read is bounded (a read past the end gives 0 and marks the view), and the
// matching writer.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace xlsbytes {

// Reads at fixed offsets of a block of bytes.
class TBlock {
public:
    explicit TBlock(std::string_view Bytes) : bytes_(Bytes) {}
    std::size_t Size() const { return bytes_.size(); }
    bool Holds(std::size_t At, std::size_t Count) const { return At <= bytes_.size() && Count <= bytes_.size() - At; }
    std::uint8_t U8(std::size_t At) const { return Holds(At, 1) ? static_cast<std::uint8_t>(bytes_[At]) : 0; }
    std::uint16_t U16(std::size_t At) const
    {
        return Holds(At, 2) ? static_cast<std::uint16_t>(U8(At) | U8(At + 1) << 8) : 0;
    }
    std::uint32_t U32(std::size_t At) const
    {
        return Holds(At, 4) ? static_cast<std::uint32_t>(U16(At)) | static_cast<std::uint32_t>(U16(At + 2)) << 16 : 0;
    }
    std::uint64_t U64(std::size_t At) const
    {
        return Holds(At, 8) ? static_cast<std::uint64_t>(U32(At)) | static_cast<std::uint64_t>(U32(At + 4)) << 32 : 0;
    }
    // The bytes from At on, at most Count of them.
    std::string_view Part(std::size_t At, std::size_t Count) const
    {
        return At <= bytes_.size() ? bytes_.substr(At, Count) : std::string_view();
    }

private:
    std::string_view bytes_;
};

// Reads in order; once a read runs past the end the cursor is spent and
// every further read gives 0.
class TCursor {
public:
    explicit TCursor(std::string_view Bytes) : block_(Bytes) {}
    bool Ok() const { return ok_; }
    std::size_t Left() const { return ok_ ? block_.Size() - pos_ : 0; }
    std::uint8_t U8() { return Take(1) ? block_.U8(pos_ - 1) : 0; }
    std::uint16_t U16() { return Take(2) ? block_.U16(pos_ - 2) : 0; }
    std::uint32_t U32() { return Take(4) ? block_.U32(pos_ - 4) : 0; }
    std::uint64_t U64() { return Take(8) ? block_.U64(pos_ - 8) : 0; }
    std::string_view Bytes(std::size_t Count) { return Take(Count) ? block_.Part(pos_ - Count, Count) : std::string_view(); }

private:
    bool Take(std::size_t Count)
    {
        ok_ = ok_ && block_.Holds(pos_, Count);
        if (ok_)
            pos_ += Count;
        return ok_;
    }
    TBlock block_;
    std::size_t pos_ = 0;
    bool ok_ = true;
};

inline void PutU8(std::string& Out, std::uint8_t Value)
{
    Out.push_back(static_cast<char>(Value));
}
inline void PutU16(std::string& Out, std::uint16_t Value)
{
    PutU8(Out, static_cast<std::uint8_t>(Value & 0xFF));
    PutU8(Out, static_cast<std::uint8_t>(Value >> 8));
}
inline void PutU32(std::string& Out, std::uint32_t Value)
{
    PutU16(Out, static_cast<std::uint16_t>(Value & 0xFFFF));
    PutU16(Out, static_cast<std::uint16_t>(Value >> 16));
}
inline void PutU64(std::string& Out, std::uint64_t Value)
{
    PutU32(Out, static_cast<std::uint32_t>(Value & 0xFFFFFFFFu));
    PutU32(Out, static_cast<std::uint32_t>(Value >> 32));
}

} // namespace xlsbytes

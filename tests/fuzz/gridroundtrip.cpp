// The round trip of the grid's cell stream and private clipboard: the input
// drives a grid filled with texts, merged blocks, colours and graphics (on
// covered cells too), the range copied, the path (stream or clipboard) and
// the target; what is loaded back must be what was there, a block cut by
// the range or the target's edge cut to what arrived, nothing else changed.
#include "tests/fuzz/support/fuzz.h"

#include "tests/grid/roundtripmodel.h"

#include <cstdio>

namespace {

// The input's bytes one at a time, then zeros.
class Bytes {
public:
    Bytes(const std::uint8_t* data, std::size_t size) : data_(data), size_(size) {}
    int Pick(int n) { return n <= 1 ? 0 : (at_ < size_ ? data_[at_++] : 0) % n; }

private:
    const std::uint8_t* data_;
    std::size_t size_;
    std::size_t at_ = 0;
};

} // namespace

std::vector<std::string> FuzzSeeds()
{
    return {
        std::string("\x00\x03\x03\x01\x00\x00\x02\x01\x01\x01\x01\x02\x02\x00\x02\x03", 16),
        std::string("\x01\x05\x05\x00\x01\x02\x00\x01\x00\x03\x02\x02\x01\x01\x02\x02\x00\x01\x00\x04\x04", 21),
        std::string("\x02\x06\x04\x02\x02\x00\x01\x02\x01\x01\x00\x03\x01\x03\x02\x05\x02\x02\x02\x01\x03\x03\x06", 23),
        std::string("\x03\x04\x06\x00\x00\x00\x00\x01\x01\x02\x02\x00\x03\x01\x01\x01\x04\x00\x02\x07\x09", 21),
        std::string("\x07\x07\x07\x02\x01\x02\x02\x02\x00\x00\x02\x02\x02\x03\x04\x01\x02\x01\x05\x02\x03\x08\x08", 23),
    };
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    FuzzInit();
    if (size < 1)
        return 0;
    Bytes bytes(data + 1, size - 1);
    const roundtrip::Pick pick = [&](int n) { return bytes.Pick(n); };
    const unsigned mode = data[0];
    const roundtrip::Path path = mode & 1 ? roundtrip::Path::Clipboard : roundtrip::Path::Stream;
    const bool whole = mode & 2;

    roundtrip::ProbeGrid source(2 + pick(6), 2 + pick(6));
    roundtrip::FillAtRandom(source, pick);
    TGridRect range{0, 0, source.ColCount() - 1, source.RowCount() - 1};
    if (!whole) {
        range.Left = pick(source.ColCount());
        range.Top = pick(source.RowCount());
        range.Right = range.Left + pick(source.ColCount() - range.Left);
        range.Bottom = range.Top + pick(source.RowCount() - range.Top);
        if (range.Left == 0 && range.Top == 0)
            range.Left = range.Right = source.ColCount() - 1;
    }
    roundtrip::MarkTopLeft(source, range);
    const int col = (mode >> 2) & 3;
    const int row = (mode >> 4) & 3;
    roundtrip::ProbeGrid target(1 + pick(9), 1 + pick(9));
    roundtrip::Copy(source, range, target, col, row, path);
    const std::string fault = roundtrip::Compare(source, range, target, col, row);
    if (!fault.empty())
        std::fprintf(stderr, "%s\n", fault.c_str());
    FuzzCheck(fault.empty(), "what was saved comes back");
    return 0;
}

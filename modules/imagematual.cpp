#include <cstdint>

// The image of the entry that is running: valid only during that one call.
std::uint8_t* ImagemAtual = nullptr;

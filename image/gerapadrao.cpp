// Writes the template PADRAO.PBX: a new exchange's factory programming.
#include <cstdio>
#include <vector>

int main(int argc, char** argv)
{
    if (argc != 2)
        return 2;
    std::vector<unsigned char> image(6610, 0);
    std::FILE* file = std::fopen(argv[1], "wb");
    if (!file)
        return 1;
    const bool ok = std::fwrite(image.data(), 1, image.size(), file) == image.size();
    return std::fclose(file) == 0 && ok ? 0 : 1;
}

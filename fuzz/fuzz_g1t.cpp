// Reads any bytes as a G1T file and decodes every surface it finds.
#include <cstddef>
#include <cstdint>

#include "lumo/image/image.h"
#include "lumo/io/binary_reader.h"
#include "lumo/io/g1t/g1t_file.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    lumo::CG1TFileImpl file;
    lumo::CBinaryReaderFromMemory reader(data, static_cast<std::uint32_t>(size));
    if (!file.Read(reader)) {
        return 0;
    }
    for (std::size_t t = 0; t < file.TextureCount(); ++t) {
        const lumo::CG1TTexture& texture = *file.Texture(t);
        for (std::uint32_t face = 0; face < texture.FaceCount(); ++face) {
            for (std::uint32_t level = 0; level < texture.MipCount(); ++level) {
                lumo::CImage image;
                texture.GetImage(image, face, level);
            }
        }
    }
    return 0;
}

// kvx4-artwork: paints every bitmap of the editor, writes them as palettised BMP files and composes
// a preview of the editor in both states of every part.
//
//   kvx4-artwork [--out DIR] [--preview FILE.png] [--scale N] [--check]
//
// --out defaults to resources/bitmaps under the current directory. --check writes nothing and
// fails when a committed file differs from what the generator paints now.
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <string>

#include "platform/gdi/BmpFile.h"
#include "platform/gdi/ColorPalette.h"
#include "platform/gdi/DC.h"
#include "platform/gdi/PngFile.h"
#include "tools/artwork/Artwork.h"
#include "tools/artwork/EditorPreview.h"

namespace {

struct Options {
    std::string outDir = "resources/bitmaps";
    std::string preview;
    int scale = 1;
    bool check = false;
};

bool ParseOptions(int argc, char** argv, Options* options) {
    for (int i = 1; i < argc; ++i) {
        std::string arg = argv[i];
        bool hasValue = i + 1 < argc;
        if (arg == "--out" && hasValue) options->outDir = argv[++i];
        else if (arg == "--preview" && hasValue) options->preview = argv[++i];
        else if (arg == "--scale" && hasValue) options->scale = std::atoi(argv[++i]);
        else if (arg == "--check") options->check = true;
        else return false;
    }
    return options->scale >= 1 && options->scale <= 8;
}

std::vector<std::uint8_t> Encode(const art::Picture& picture) {
    const win::Bitmap& pixels = picture.canvas.Pixels();
    std::vector<std::uint32_t> palette = win::BuildPalette(pixels, 1 << picture.bitsPerPixel);
    return picture.bitsPerPixel == 4 ? win::EncodeBmp4(pixels, palette) : win::EncodeBmp8(pixels, palette);
}

std::vector<std::uint8_t> ReadFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// Both editors side by side: the parts at rest on the left, pressed, lit and selected on the right.
bool WritePreview(const art::PictureSet& pictures, const std::string& path, int scale) {
    art::EditorState rest;
    art::EditorState active;
    active.edited = 1;
    active.pressedButtons = 1 | 2 | 4 | 8;
    active.effectLevel = 127;
    active.mixerSelected = true;
    active.leftOn = false;
    active.clipLit = true;
    active.lowValue = 30;
    active.midValue = 112;
    active.highValue = 127;
    active.cutoffValue = 100;
    active.contourSelection = 16;
    active.bypassOn = true;
    rest.contourSelection = 2;

    const int gap = 8;
    auto left = art::ComposeEditor(pictures, rest);
    auto right = art::ComposeEditor(pictures, active);
    auto sheet = std::make_shared<win::Bitmap>((left->Width() * 2 + gap) * scale, left->Height() * scale, 0x202020);
    win::DC sheetDc, source;
    sheetDc.SelectBitmap(sheet);
    int x = 0;
    for (const auto& editor : {left, right}) {
        source.SelectBitmap(editor);
        sheetDc.StretchBlt(x, 0, editor->Width() * scale, editor->Height() * scale, &source, 0, 0, editor->Width(),
                           editor->Height(), win::SRCCOPY);
        x += (editor->Width() + gap) * scale;
    }
    return win::WritePng(*sheet, path);
}

}  // namespace

int main(int argc, char** argv) {
    Options options;
    if (!ParseOptions(argc, argv, &options)) {
        std::fprintf(stderr, "usage: kvx4-artwork [--out DIR] [--preview FILE.png] [--scale N] [--check]\n");
        return 2;
    }
    art::PictureSet decoded;
    int differing = 0;
    for (const art::Picture& picture : art::PaintAllPictures()) {
        std::vector<std::uint8_t> bytes = Encode(picture);
        std::string path = options.outDir + "/" + std::to_string(picture.id) + ".bmp";
        if (bytes.empty()) {
            std::fprintf(stderr, "%u: could not encode\n", picture.id);
            return 1;
        }
        if (options.check) {
            if (ReadFile(path) != bytes) {
                std::fprintf(stderr, "%s differs from the generated picture\n", path.c_str());
                ++differing;
            }
        } else if (!win::WriteFileBytes(path, bytes)) {
            std::fprintf(stderr, "%s: cannot write\n", path.c_str());
            return 1;
        }
        decoded[picture.id] = win::DecodeBmp(bytes.data(), bytes.size());
    }
    if (!options.preview.empty() && !WritePreview(decoded, options.preview, options.scale)) {
        std::fprintf(stderr, "%s: cannot write\n", options.preview.c_str());
        return 1;
    }
    return differing == 0 ? 0 : 1;
}

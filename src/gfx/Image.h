#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

/*
===============================================================================
Image: a picture in memory, rows one after another, first row first, pixels
packed without padding. 1 byte per pixel is grey, 2 grey + alpha, 3 RGB,
4 RGBA; an empty image has no pixels and 3 bytes per pixel.

Rows are kept in the order the data stores them: the decoders never flip. The
first row is the one OpenGL places at texture coordinate t = 0.

Decoding errors are thrown as a FatalError carrying the message text, which
the entry point shows before it ends the program. File loaders report false for files
that cannot be read; decoders throw for data that cannot be understood.
===============================================================================
*/
class Image {
  public:
    Image() = default;
    // Takes the pixels as they are; pixels.size() must be width * height * bytesPerPixel.
    Image(int width, int height, std::vector<std::uint8_t> pixels, int bytesPerPixel);
    Image(const Image& other) = default;
    // Deep copy; a source without pixels gives an image without pixels.
    Image& operator=(const Image& other) = default;

    // Fills the image from bytes in memory. The base class keeps the image as it is.
    virtual void Decode(const std::uint8_t* data, std::size_t size);
    virtual ~Image() = default;
    // Built-in picture (type "RT_RCDATA") by id; an unknown id throws. The three
    // values are stored before Decode runs (RawImage relies on them).
    virtual bool LoadResource(int id, int width, int height, int bytesPerPixel);
    // False for no path, a file that does not open, an empty file or a short read.
    virtual bool LoadFile(const char* path, int width, int height, int bytesPerPixel);

    // Gives the picture an alpha channel or rewrites it (see AddAlphaMode).
    void AddAlpha(int mode, float value);

    int Width() const { return width; }
    int Height() const { return height; }
    int BytesPerPixel() const { return bytesPerPixel; }
    bool HasPixels() const { return !pixels.empty(); }
    const std::uint8_t* Pixels() const { return pixels.empty() ? nullptr : pixels.data(); }
    std::uint8_t* Pixels() { return pixels.empty() ? nullptr : pixels.data(); }
    std::size_t PixelBytes() const { return pixels.size(); }

  protected:
    void StoreLayout(int newWidth, int newHeight, int newBytesPerPixel);

    std::vector<std::uint8_t> pixels;
    int width = 0;
    int height = 0;
    int bytesPerPixel = 3;
};

// Modes of Image::AddAlpha. Alpha constant c: 255 for value >= 1, value * 255
// for 0 < value < 1, else 0. Grey: (R + G + B) / 3 for RGB, else the first byte.
enum AddAlphaMode {
    AlphaConstant = 0,    // alpha = c
    AlphaGrey = 1,        // alpha = grey
    AlphaInverseGrey = 2, // alpha = 255 - grey
    AlphaBlackClear = 3,  // alpha = 0 for black, 255 otherwise
};

// The 18-byte TGA header as the file stores it.
struct TgaHeader {
    std::uint8_t idLength = 0;
    std::uint8_t colourMapType = 0;
    std::uint8_t imageType = 0;
    std::uint16_t colourMapFirst = 0;
    std::uint16_t colourMapLength = 0;
    std::uint8_t colourMapEntryBits = 0;
    std::uint16_t xOrigin = 0;
    std::uint16_t yOrigin = 0;
    std::uint16_t width = 0;
    std::uint16_t height = 0;
    std::uint8_t pixelDepth = 0;
    std::uint8_t descriptor = 0;
};

/*
TgaImage: uncompressed TGA (types 1, 2 and 3) decoder. Rows stay in file order
whatever the descriptor's origin bits say; BGR(A) becomes RGB(A); colour-mapped
pictures keep their raw index bytes. Keeps the last header and image ID text.
Throws "No image data included", "Unreadable image data type (RLE compressed ?)",
"Unexpected pixel size (%d)" and "Bitmap size (%d,%d) not good".
*/
class TgaImage : public Image {
  public:
    void Decode(const std::uint8_t* data, std::size_t size) override;
    ~TgaImage() override = default;

    const TgaHeader& Header() const { return header; }
    const std::string& IdText() const { return idText; }

  private:
    TgaHeader header;
    std::string idText;
};

/*
RawImage: headerless pixels whose layout the loader announces. Throws
"Bitmap size (%d,%d) not good (ImRaw::create)" when the data size differs from
width * height * bytesPerPixel.
*/
class RawImage : public Image {
  public:
    void Decode(const std::uint8_t* data, std::size_t size) override;
};

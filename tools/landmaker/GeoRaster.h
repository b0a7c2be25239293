#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

class GDALDataset;
class OGRSpatialReference;

/*
===============================================================================
GeoRaster: a raster that GDAL opens (elevation data or an aerial picture),
with the means to place it in a land's local frame.

LocalFrame is that frame: a transverse Mercator on the meridian of the land's
centre, metres, x east and y north at the centre, so north there is exactly
+y. PixelMap tells where points of the frame fall in a raster's pixels: the
exact transformation is done on a lattice and interpolated between, since it
is smooth at the lattice's scale and transforming every sample of a 4,000 x
4,000 grid one by one would take longer than reading it.

Pixel positions follow GDAL: (0, 0) is the top-left corner of the first
pixel, so pixel (c, r) has its centre at (c + 0.5, r + 0.5).
===============================================================================
*/
class LocalFrame {
  public:
    LocalFrame(double latitude, double longitude);
    ~LocalFrame();
    LocalFrame(const LocalFrame&) = delete;
    LocalFrame& operator=(const LocalFrame&) = delete;

    double latitude() const { return lat; }
    double longitude() const { return lon; }
    const OGRSpatialReference& reference() const { return *srs; }

  private:
    double lat, lon;
    std::unique_ptr<OGRSpatialReference> srs;
};

struct RasterWindow {
    int x = 0, y = 0, width = 0, height = 0;
};

class PixelMap {
  public:
    // Pixel position of the frame point (x, y): {column, row}.
    std::array<double, 2> at(double x, double y) const;
    // The pixels the mapped rectangle touches, grown by margin and clipped to the raster.
    RasterWindow window(int rasterWidth, int rasterHeight, int margin) const;
    // Smallest and largest column and row of the mapped rectangle.
    std::array<double, 4> bounds() const;

  private:
    friend class GeoRaster;
    double minX = 0, minY = 0, stepX = 1, stepY = 1;
    int nodes = 0;
    std::vector<std::array<double, 2>> lattice; // row-major, south row first
};

// Samples of a raster window read into memory, possibly at a coarser resolution.
struct RasterSamples {
    RasterWindow window;
    int columns = 0, rows = 0;
    std::vector<float> values;
    // Bilinear value at a raster pixel position; NaN outside the samples.
    float at(double column, double row) const;
};

class GeoRaster {
  public:
    GeoRaster();
    ~GeoRaster();
    GeoRaster(const GeoRaster&) = delete;
    GeoRaster& operator=(const GeoRaster&) = delete;

    bool open(const std::string& path, std::string& error);
    int width() const { return columns; }
    int height() const { return rows; }
    int bandCount() const;
    // Both a geotransform and a coordinate reference system.
    bool georeferenced() const { return hasGeoreference; }
    // Latitude and longitude of the raster's centre.
    bool centre(double& latitude, double& longitude, std::string& error) const;
    // Where the frame's rectangle [minX, maxX] x [minY, maxY] falls in this raster.
    bool mapFrame(const LocalFrame& frame, double minX, double minY, double maxX, double maxY,
                  int nodes, PixelMap& map, std::string& error) const;
    // One band of a window, resampled to columns x rows. No-data cells become NaN.
    bool read(int band, const RasterWindow& window, int columns, int rows, RasterSamples& samples,
              std::string& error) const;
    // Heights in metres: units converted and, when asked, no-data cells filled
    // from their neighbours (else left NaN).
    bool readHeights(const RasterWindow& window, int columns, int rows, RasterSamples& samples,
                     std::string& error, bool fill = true) const;
    // True when the band holds bytes, which need no stretching to be shown.
    bool bandIsByte(int band) const;

  private:
    std::string path;
    GDALDataset* dataset = nullptr;
    int columns = 0, rows = 0;
    bool hasGeoreference = false;
    std::array<double, 6> geoTransform{};
    std::array<double, 6> inverseTransform{};
    std::unique_ptr<OGRSpatialReference> srs;
};

// Fills every NaN of the samples with the mean of its filled neighbours, nearest cells
// first, so holes take the ground around them. False when no sample has a value.
bool fillHoles(RasterSamples& samples);

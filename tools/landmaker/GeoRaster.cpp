#include "GeoRaster.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <deque>
#include <filesystem>
#include <limits>

#include <cpl_error.h>
#include <gdal_priv.h>
#include <ogr_spatialref.h>

namespace {
constexpr float noValue = std::numeric_limits<float>::quiet_NaN();

std::unique_ptr<OGRSpatialReference> geographicWgs84() {
    auto wgs84 = std::make_unique<OGRSpatialReference>();
    wgs84->SetWellKnownGeogCS("WGS84");
    wgs84->SetAxisMappingStrategy(OAMS_TRADITIONAL_GIS_ORDER);
    return wgs84;
}

std::string lastGdalError(const std::string& fallback) {
    const char* message = CPLGetLastErrorMsg();
    return message != nullptr && *message != '\0' ? std::string(message) : fallback;
}

// Metres in one unit of a band, from the unit name GDAL reports; 0 when unknown.
double metresPerUnit(std::string unit) {
    std::transform(unit.begin(), unit.end(), unit.begin(),
                   [](unsigned char c) { return char(std::tolower(c)); });
    if (unit.empty() || unit == "m" || unit == "metre" || unit == "meter" || unit == "metres" ||
        unit == "meters")
        return 1.0;
    if (unit == "ft" || unit == "foot" || unit == "feet" || unit == "international foot")
        return 0.3048;
    if (unit == "us-ft" || unit == "ftus" || unit == "us survey foot" || unit == "ft-us")
        return 1200.0 / 3937.0;
    if (unit == "cm") return 0.01;
    if (unit == "dm") return 0.1;
    return 0.0;
}

// Silences GDAL's own printing while a call runs; its message is read afterwards.
struct QuietGdal {
    QuietGdal() {
        CPLPushErrorHandler(CPLQuietErrorHandler);
        CPLErrorReset();
    }
    ~QuietGdal() { CPLPopErrorHandler(); }
};
} // namespace

LocalFrame::LocalFrame(double latitude, double longitude)
    : lat(latitude), lon(longitude), srs(std::make_unique<OGRSpatialReference>()) {
    srs->SetProjCS("local transverse Mercator");
    srs->SetWellKnownGeogCS("WGS84");
    srs->SetTM(latitude, longitude, 1.0, 0.0, 0.0);
    srs->SetAxisMappingStrategy(OAMS_TRADITIONAL_GIS_ORDER);
}

LocalFrame::~LocalFrame() = default;

std::array<double, 2> PixelMap::at(double x, double y) const {
    const double u = std::clamp((x - minX) / stepX, 0.0, double(nodes - 1));
    const double v = std::clamp((y - minY) / stepY, 0.0, double(nodes - 1));
    const int i = std::min(int(u), nodes - 2), j = std::min(int(v), nodes - 2);
    const double fu = u - i, fv = v - j;
    const auto& a = lattice[std::size_t(j) * nodes + i];
    const auto& b = lattice[std::size_t(j) * nodes + i + 1];
    const auto& c = lattice[std::size_t(j + 1) * nodes + i];
    const auto& d = lattice[std::size_t(j + 1) * nodes + i + 1];
    std::array<double, 2> p;
    for (int k = 0; k < 2; ++k)
        p[k] = (a[k] * (1 - fu) + b[k] * fu) * (1 - fv) + (c[k] * (1 - fu) + d[k] * fu) * fv;
    return p;
}

std::array<double, 4> PixelMap::bounds() const {
    std::array<double, 4> b{1e300, -1e300, 1e300, -1e300};
    for (const auto& p : lattice) {
        b[0] = std::min(b[0], p[0]);
        b[1] = std::max(b[1], p[0]);
        b[2] = std::min(b[2], p[1]);
        b[3] = std::max(b[3], p[1]);
    }
    return b;
}

RasterWindow PixelMap::window(int rasterWidth, int rasterHeight, int margin) const {
    const auto b = bounds();
    const int x0 = std::clamp(int(std::floor(b[0])) - margin, 0, rasterWidth);
    const int x1 = std::clamp(int(std::ceil(b[1])) + margin, 0, rasterWidth);
    const int y0 = std::clamp(int(std::floor(b[2])) - margin, 0, rasterHeight);
    const int y1 = std::clamp(int(std::ceil(b[3])) + margin, 0, rasterHeight);
    return {x0, y0, x1 - x0, y1 - y0};
}

float RasterSamples::at(double column, double row) const {
    // From pixel positions to sample indices: sample i has its centre at
    // window.x + (i + 0.5) * width / columns.
    const double u = (column - window.x) * columns / window.width - 0.5;
    const double v = (row - window.y) * rows / window.height - 0.5;
    if (!(u >= -0.5 && v >= -0.5 && u <= columns - 0.5 && v <= rows - 0.5)) return noValue;
    const double cu = std::clamp(u, 0.0, double(columns - 1));
    const double cv = std::clamp(v, 0.0, double(rows - 1));
    const int i = std::min(int(cu), std::max(columns - 2, 0));
    const int j = std::min(int(cv), std::max(rows - 2, 0));
    const int i1 = std::min(i + 1, columns - 1), j1 = std::min(j + 1, rows - 1);
    const double fu = cu - i, fv = cv - j;
    auto value = [&](int c, int r) { return double(values[std::size_t(r) * columns + c]); };
    return float((value(i, j) * (1 - fu) + value(i1, j) * fu) * (1 - fv) +
                 (value(i, j1) * (1 - fu) + value(i1, j1) * fu) * fv);
}

GeoRaster::GeoRaster() = default;

GeoRaster::~GeoRaster() {
    if (dataset != nullptr) GDALClose(GDALDataset::ToHandle(dataset));
}

int GeoRaster::bandCount() const {
    return dataset != nullptr ? dataset->GetRasterCount() : 0;
}

bool GeoRaster::open(const std::string& file, std::string& error) {
    GDALAllRegister();
    path = file;
    std::error_code missing;
    if (!std::filesystem::is_regular_file(file, missing)) {
        error = "cannot find " + file;
        return false;
    }
    QuietGdal quiet;
    dataset = GDALDataset::Open(file.c_str(), GDAL_OF_RASTER | GDAL_OF_READONLY);
    if (dataset == nullptr) {
        error = "GDAL cannot open " + file + ": " + lastGdalError("not a raster it knows");
        return false;
    }
    columns = dataset->GetRasterXSize();
    rows = dataset->GetRasterYSize();
    if (dataset->GetRasterCount() < 1 || columns < 2 || rows < 2) {
        error = file + " holds no raster of at least 2 x 2 samples";
        return false;
    }
    const OGRSpatialReference* reference = dataset->GetSpatialRef();
    hasGeoreference = dataset->GetGeoTransform(geoTransform.data()) == CE_None &&
                      reference != nullptr && !reference->IsEmpty() &&
                      GDALInvGeoTransform(geoTransform.data(), inverseTransform.data()) != 0;
    if (hasGeoreference) {
        srs = std::make_unique<OGRSpatialReference>(*reference);
        srs->SetAxisMappingStrategy(OAMS_TRADITIONAL_GIS_ORDER);
    }
    return true;
}

bool GeoRaster::centre(double& latitude, double& longitude, std::string& error) const {
    double x = 0, y = 0;
    GDALApplyGeoTransform(const_cast<double*>(geoTransform.data()), columns * 0.5, rows * 0.5, &x,
                          &y);
    const auto wgs84 = geographicWgs84();
    QuietGdal quiet;
    std::unique_ptr<OGRCoordinateTransformation> transform(
        OGRCreateCoordinateTransformation(srs.get(), wgs84.get()));
    if (!transform || !transform->Transform(1, &x, &y)) {
        error =
            "cannot place the centre of " + path + " on the globe: " + lastGdalError("PROJ failed");
        return false;
    }
    longitude = x;
    latitude = y;
    return true;
}

bool GeoRaster::mapFrame(const LocalFrame& frame, double minX, double minY, double maxX,
                         double maxY, int nodes, PixelMap& map, std::string& error) const {
    QuietGdal quiet;
    std::unique_ptr<OGRCoordinateTransformation> transform(
        OGRCreateCoordinateTransformation(&frame.reference(), srs.get()));
    if (!transform) {
        error = "cannot relate the land's frame to " + path + ": " + lastGdalError("PROJ failed");
        return false;
    }
    map.nodes = std::max(nodes, 2);
    map.minX = minX;
    map.minY = minY;
    map.stepX = (maxX - minX) / (map.nodes - 1);
    map.stepY = (maxY - minY) / (map.nodes - 1);
    const std::size_t count = std::size_t(map.nodes) * map.nodes;
    std::vector<double> xs(count), ys(count);
    std::vector<int> ok(count);
    for (int j = 0; j < map.nodes; ++j)
        for (int i = 0; i < map.nodes; ++i) {
            xs[std::size_t(j) * map.nodes + i] = minX + i * map.stepX;
            ys[std::size_t(j) * map.nodes + i] = minY + j * map.stepY;
        }
    if (!transform->Transform(int(count), xs.data(), ys.data(), nullptr, ok.data()) ||
        std::find(ok.begin(), ok.end(), 0) != ok.end()) {
        error = "PROJ cannot carry the land's area into the system of " + path + ": " +
                lastGdalError("points out of range");
        return false;
    }
    map.lattice.resize(count);
    for (std::size_t k = 0; k < count; ++k) {
        double column = 0, row = 0;
        GDALApplyGeoTransform(const_cast<double*>(inverseTransform.data()), xs[k], ys[k], &column,
                              &row);
        map.lattice[k] = {column, row};
    }
    return true;
}

bool GeoRaster::bandIsByte(int band) const {
    return dataset->GetRasterBand(band)->GetRasterDataType() == GDT_Byte;
}

bool GeoRaster::read(int bandNumber, const RasterWindow& window, int bufferColumns, int bufferRows,
                     RasterSamples& samples, std::string& error) const {
    if (bandNumber < 1 || bandNumber > bandCount()) {
        error = path + " has no band " + std::to_string(bandNumber) + " (it has " +
                std::to_string(bandCount()) + ")";
        return false;
    }
    GDALRasterBand* band = dataset->GetRasterBand(bandNumber);
    samples.window = window;
    samples.columns = bufferColumns;
    samples.rows = bufferRows;
    samples.values.assign(std::size_t(bufferColumns) * bufferRows, 0.0f);
    GDALRasterIOExtraArg extra;
    INIT_RASTERIO_EXTRA_ARG(extra);
    // Averaging keeps a coarser read faithful to the ground it stands for.
    extra.eResampleAlg = bufferColumns < window.width || bufferRows < window.height
                             ? GRIORA_Average
                             : GRIORA_Bilinear;
    QuietGdal quiet;
    if (band->RasterIO(GF_Read, window.x, window.y, window.width, window.height,
                       samples.values.data(), bufferColumns, bufferRows, GDT_Float32, 0, 0,
                       &extra) != CE_None) {
        error = "cannot read " + path + ": " + lastGdalError("read error");
        return false;
    }
    int hasNoData = 0;
    const double noData = band->GetNoDataValue(&hasNoData);
    for (float& value : samples.values)
        if (!std::isfinite(value) || (hasNoData && float(value) == float(noData))) value = noValue;
    return true;
}

bool GeoRaster::readHeights(const RasterWindow& window, int bufferColumns, int bufferRows,
                            RasterSamples& samples, std::string& error, bool fill) const {
    GDALRasterBand* band = dataset->GetRasterBand(1);
    const std::string unit = band->GetUnitType();
    const double metres = metresPerUnit(unit);
    if (metres == 0.0) {
        error =
            path + " gives its heights in \"" + unit + "\", a unit the land maker does not know";
        return false;
    }
    if (!read(1, window, bufferColumns, bufferRows, samples, error)) return false;
    const double scale = band->GetScale(), offset = band->GetOffset();
    for (float& value : samples.values)
        value = float((value * scale + offset) * metres);
    if (fill && !fillHoles(samples)) {
        error = path + " has no height in the land's area, only no-data";
        return false;
    }
    return true;
}

bool fillHoles(RasterSamples& samples) {
    const int w = samples.columns, h = samples.rows;
    auto& v = samples.values;
    std::deque<std::size_t> front;
    std::vector<char> queued(v.size(), 0);
    auto isHole = [&](std::size_t k) { return std::isnan(v[k]); };
    auto enqueueHolesAround = [&](std::size_t k) {
        const int c = int(k % w), r = int(k / w);
        for (int dr = -1; dr <= 1; ++dr)
            for (int dc = -1; dc <= 1; ++dc) {
                const int cc = c + dc, rr = r + dr;
                if (cc < 0 || rr < 0 || cc >= w || rr >= h) continue;
                const std::size_t n = std::size_t(rr) * w + cc;
                if (isHole(n) && !queued[n]) {
                    queued[n] = 1;
                    front.push_back(n);
                }
            }
    };
    bool anyValue = false;
    for (std::size_t k = 0; k < v.size(); ++k)
        if (!isHole(k)) {
            anyValue = true;
            enqueueHolesAround(k);
        }
    if (!anyValue) return false;
    // Breadth first: each hole takes the mean of the neighbours filled before it.
    while (!front.empty()) {
        // A whole ring is computed before any of it is written, so the fill is
        // the same whichever way round the ring is walked.
        const std::size_t ring = front.size();
        std::vector<std::pair<std::size_t, float>> filled;
        filled.reserve(ring);
        for (std::size_t n = 0; n < ring; ++n) {
            const std::size_t k = front[n];
            const int c = int(k % w), r = int(k / w);
            double sum = 0;
            int count = 0;
            for (int dr = -1; dr <= 1; ++dr)
                for (int dc = -1; dc <= 1; ++dc) {
                    const int cc = c + dc, rr = r + dr;
                    if (cc < 0 || rr < 0 || cc >= w || rr >= h) continue;
                    const float value = v[std::size_t(rr) * w + cc];
                    if (!std::isnan(value)) {
                        sum += value;
                        ++count;
                    }
                }
            filled.emplace_back(k, float(sum / count));
        }
        for (const auto& [k, value] : filled)
            v[k] = value;
        for (std::size_t n = 0; n < ring; ++n) {
            const std::size_t k = front.front();
            front.pop_front();
            enqueueHolesAround(k);
        }
    }
    return true;
}

#pragma once
// The KML text of a set of point placemarks: UTF-8, CR LF in every piece.
#include <string>
#include <string_view>
#include <vector>

namespace linvara::output {

struct BLHCoord {
    double B = 0;  // latitude, decimal degrees
    double L = 0;  // longitude, decimal degrees
    double H = 0;  // height, metres
};

struct Placemark {
    std::string name;
    int kind = 0;  // 0 = point, the only kind written
    std::vector<BLHCoord> coordinates;
    std::string description;
    unsigned iconColor = 0;  // blue-green-red, six hex digits after the alpha "ff"
};

// The stake icon of the map service's public icon set, which viewers fetch
// over the internet.
inline constexpr std::string_view kWebStakeIcon = "http://maps.google.com/mapfiles/kml/shapes/donut.png";

class KmlDocument {
public:
    // Starts the document and its shared style; `labels` decides whether the
    // placemark names are shown, `icon` is the address of the stake icon
    // (a path inside a KMZ is relative to its doc.kml).
    KmlDocument(std::string_view name, bool labels, std::string_view icon = kWebStakeIcon);
    void Add(const Placemark& placemark);
    // The complete file; the document cannot be extended afterwards.
    std::string Finish();

private:
    std::string out_;
    std::string iconLine_;
};

// Text made safe for XML character data and attribute values: markup
// characters escaped, invalid UTF-8 and forbidden control characters
// replaced by U+FFFD.
std::string XmlEscape(std::string_view text);

}  // namespace linvara::output

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

class KmlDocument {
public:
    // Starts the document and its shared style; `labels` decides whether the
    // placemark names are shown.
    KmlDocument(std::string_view name, bool labels);
    void Add(const Placemark& placemark);
    // The complete file; the document cannot be extended afterwards.
    std::string Finish();

private:
    std::string out_;
};

// Text made safe for XML character data and attribute values: markup
// characters escaped, invalid UTF-8 and forbidden control characters
// replaced by U+FFFD.
std::string XmlEscape(std::string_view text);

}  // namespace linvara::output

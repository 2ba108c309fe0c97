#include "output/kml_document.h"

#include "text/encoding.h"
#include "text/format.h"

namespace linvara::output {
namespace {

constexpr std::string_view kHeadStart =
    "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\r\n"
    "<kml xmlns=\"http://www.opengis.net/kml/2.2\">\r\n"
    "<Document>\r\n";
constexpr const char* kDocumentName = "\t<name>%s</name>\r\n\t<open>1</open>\r\n";
// The stake icon, in the shared style and again in every placemark's own
// style: viewers that do not merge the two would otherwise draw no icon.
constexpr const char* kIcon = "\t<Icon><href>%s</href></Icon>\r\n";
constexpr std::string_view kStyleStart =
    "\t<Style id=\"khStyle\">\r\n"
    "\t<IconStyle>\r\n"
    "\t<scale>0.6</scale>\r\n";
constexpr std::string_view kStyleLabels =
    "\t</IconStyle>\r\n"
    "\t<LabelStyle>\r\n";
constexpr std::string_view kLabelsOn = "\t<scale>0.7</scale>\r\n";
constexpr std::string_view kLabelsOff = "\t<scale>0.0</scale>\r\n";
constexpr std::string_view kStyleEnd = "\t</LabelStyle>\r\n\t</Style>\r\n";

// A point placemark: its start up to the colour of its own icon style, the
// icon, then the rest with the point.
constexpr const char* kPlacemarkStart =
    "\t<Placemark>\r\n"
    "\t<name>%s</name>\r\n"
    "\t<description>%s</description>\r\n"
    "\t<styleUrl>#khStyle</styleUrl>\r\n"
    "\t<Style>\r\n"
    "\t<IconStyle>\r\n"
    "\t<color>ff%06x</color>\r\n";
constexpr const char* kPlacemarkPoint =
    "\t</IconStyle>\r\n"
    "\t</Style>\r\n"
    "\t<Point>\r\n"
    "\t<coordinates>\r\n"
    "\t%.10f,%.10f,%.4f\r\n"
    "\t</coordinates>\r\n\t</Point>\r\n"
    "\t</Placemark>\r\n";

constexpr std::string_view kFooter = "</Document>\r\n</kml>\r\n";

constexpr std::string_view kReplacement = "\xEF\xBF\xBD";

// XML 1.0 admits tab, line feed and carriage return below U+0020 only.
bool IsForbiddenControl(char c) {
    auto u = static_cast<unsigned char>(c);
    return u < 0x20 && c != '\t' && c != '\n' && c != '\r';
}

}  // namespace

std::string XmlEscape(std::string_view raw) {
    const std::string valid = text::SanitizeUtf8(raw);
    std::string out;
    out.reserve(valid.size() + 8);
    for (char c : valid) {
        switch (c) {
            case '&': out += "&amp;"; break;
            case '<': out += "&lt;"; break;
            case '>': out += "&gt;"; break;
            case '"': out += "&quot;"; break;
            case '\'': out += "&apos;"; break;
            default:
                if (IsForbiddenControl(c)) out += kReplacement;
                else out += c;
        }
    }
    return out;
}

KmlDocument::KmlDocument(std::string_view name, bool labels, std::string_view icon)
    : iconLine_(text::Format(kIcon, XmlEscape(icon).c_str())) {
    out_ += kHeadStart;
    text::AppendFormat(out_, kDocumentName, XmlEscape(name).c_str());
    out_ += kStyleStart;
    out_ += iconLine_;
    out_ += kStyleLabels;
    out_ += labels ? kLabelsOn : kLabelsOff;
    out_ += kStyleEnd;
}

void KmlDocument::Add(const Placemark& placemark) {
    if (placemark.kind != 0) return;
    const std::string name = XmlEscape(placemark.name);
    const std::string description = XmlEscape(placemark.description);
    for (const BLHCoord& c : placemark.coordinates) {
        text::AppendFormat(out_, kPlacemarkStart, name.c_str(), description.c_str(), placemark.iconColor & 0xFFFFFFu);
        out_ += iconLine_;
        text::AppendFormat(out_, kPlacemarkPoint, c.L, c.B, c.H);
    }
}

std::string KmlDocument::Finish() {
    out_ += kFooter;
    return std::move(out_);
}

}  // namespace linvara::output

#pragma once
// The drawn map as a file: SVG (Qt SVG), PNG (at twice the scene's size, for sharp print) and
// PDF (one page the map's shape), and the map on a printer's pages.

#include <QGraphicsScene>

#include <string>

class QPrinter;

namespace qtgui {

enum class MapFormat { Svg, Png, Pdf };

// The file's bytes; `title` names the SVG's and the PDF's document.
std::string MapFileBytes(QGraphicsScene& scene, MapFormat format, const std::string& title);
// The extension of a format, with its dot.
const char* MapExtension(MapFormat format);

// The map scaled onto the printer's page, whole.
void PrintMap(QGraphicsScene& scene, QPrinter& printer);

}  // namespace qtgui

// SPDX-License-Identifier: GPL-3.0-or-later
#include "pattern_dxf.h"

#include <dl_dxf.h>
#include <QFile>
#include <QTemporaryFile>
#include <memory>

#include "pattern/pattern_save.h"
#include "pattern/pattern_units.h"

namespace mertano {
namespace {

// dxflib writes only to a named file.
void WriteDrawing(DL_Dxf& dxf, DL_WriterA& dw, const FlatPattern& pattern, std::string_view unit) {
    dxf.writeHeader(dw);
    dw.dxfString(9, "$INSUNITS");
    dw.dxfInt(70, DxfUnitsCode(unit));
    dw.sectionEnd();

    dw.sectionTables();
    dxf.writeVPort(dw);
    // The seam's dashes: 2 on, 1 off, in the drawing's unit.
    double dashes[] = {2.0, -1.0};
    dw.tableLinetypes(4);
    dxf.writeLinetype(dw, DL_LinetypeData("BYBLOCK", "", 0, 0, 0.0));
    dxf.writeLinetype(dw, DL_LinetypeData("BYLAYER", "", 0, 0, 0.0));
    dxf.writeLinetype(dw, DL_LinetypeData("CONTINUOUS", "Solid line", 0, 0, 0.0));
    dxf.writeLinetype(dw, DL_LinetypeData("DASHED", "Dashed __ __ __", 0, 2, 3.0, dashes));
    dw.tableEnd();
    dw.tableLayers(3);
    dxf.writeLayer(dw, DL_LayerData("0", 0),
                   DL_Attributes("", DL_Codes::black, 100, "CONTINUOUS", 1.0));
    dxf.writeLayer(dw, DL_LayerData(kOutlineLayer, 0),
                   DL_Attributes("", DL_Codes::black, 100, "CONTINUOUS", 1.0));
    dxf.writeLayer(dw, DL_LayerData(kSeamLayer, 0),
                   DL_Attributes("", DL_Codes::red, 100, "DASHED", 1.0));
    dw.tableEnd();
    dw.tableStyle(1);
    dxf.writeStyle(dw, DL_StyleData("standard", 0, 0.0, 1.0, 0.0, 0, 2.5, "txt", ""));
    dw.tableEnd();
    dxf.writeView(dw);
    dxf.writeUcs(dw);
    dw.tableAppid(1);
    dxf.writeAppid(dw, "ACAD");
    dw.tableEnd();
    dxf.writeDimStyle(dw, 1, 1, 1, 1, 1);
    dxf.writeBlockRecord(dw);
    dw.tableEnd();
    dw.sectionEnd();

    dw.sectionBlocks();
    for (const char* space : {"*Model_Space", "*Paper_Space", "*Paper_Space0"}) {
        dxf.writeBlock(dw, DL_BlockData(space, 0, 0.0, 0.0, 0.0));
        dxf.writeEndBlock(dw, space);
    }
    dw.sectionEnd();

    dw.sectionEntities();
    for (const OutlinePiece& piece : PatternOutline(pattern)) {
        // Each entity takes its colour and line type from its layer.
        const DL_Attributes layer(piece.seam ? kSeamLayer : kOutlineLayer, 256, -1, "BYLAYER", 1.0);
        if (piece.kind == OutlinePiece::Kind::Line) {
            dxf.writeLine(
                dw,
                DL_LineData(static_cast<double>(piece.from.x), static_cast<double>(piece.from.y),
                            0.0, static_cast<double>(piece.to.x), static_cast<double>(piece.to.y),
                            0.0),
                layer);
        } else {
            dxf.writeArc(
                dw,
                DL_ArcData(static_cast<double>(piece.centre.x), static_cast<double>(piece.centre.y),
                           0.0, static_cast<double>(piece.radius),
                           static_cast<double>(piece.startDegrees),
                           static_cast<double>(piece.endDegrees)),
                layer);
        }
    }
    dw.sectionEnd();

    dxf.writeObjects(dw);
    dxf.writeObjectsEnd(dw);
    dw.dxfEOF();
}

}  // namespace

QByteArray PatternDxf(const FlatPattern& pattern, std::string_view unit) {
    QTemporaryFile file;
    if (!file.open()) return {};
    const QByteArray name = QFile::encodeName(file.fileName());
    {
        DL_Dxf dxf;
        const std::unique_ptr<DL_WriterA> dw(dxf.out(name.constData(), DL_Codes::AC1015));
        if (!dw) return {};
        WriteDrawing(dxf, *dw, pattern, unit);
        dw->close();
    }
    // Read through the name: the writer wrote through a handle of its own.
    QFile written(file.fileName());
    if (!written.open(QIODevice::ReadOnly)) return {};
    return written.readAll();
}

bool WritePatternDxf(const FlatPattern& pattern, std::string_view unit, const QString& path,
                     QString* error) {
    const QByteArray bytes = PatternDxf(pattern, unit);
    if (bytes.isEmpty()) {
        if (error)
            *error = QStringLiteral("The DXF drawing could not be made in the temporary folder.");
        return false;
    }
    return SavePatternFile(path, bytes, error);
}

}  // namespace mertano

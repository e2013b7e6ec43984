// SPDX-License-Identifier: GPL-3.0-or-later
// The material file decoder, given any bytes as Gravity.grv.
#include <QByteArray>
#include <cstdint>

#include "fuzz_check.h"
#include "materials/material_file.h"

using namespace mertano;
using fuzz::Check;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const QByteArray bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    const DecodedMaterials decoded = DecodeMaterials(bytes);
    Check(decoded.table.size() == bytes.size() / kMaterialRecordSize, "every whole record is read");
    // What a rewrite stores reads back as the same table, so saving loses nothing.
    const QByteArray rewritten = EncodeMaterials(decoded.table);
    Check(DecodeMaterials(rewritten).table == decoded.table, "a rewrite reads back the same");
    for (const MaterialRecord& record : decoded.table) {
        Check(record.nameBytes.size() <= kMaterialNameBytes, "a name fits its record");
        (void)FindGravity(decoded.table, record.name);
    }
    (void)MaterialNames(decoded.table);
    return 0;
}

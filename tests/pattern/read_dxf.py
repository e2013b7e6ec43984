# SPDX-License-Identifier: GPL-3.0-or-later
# Reads a DXF drawing with ezdxf, a reader written apart from the one that wrote it, and
# prints what the pattern tests look at as one JSON object.
import json
import sys

import ezdxf

doc = ezdxf.readfile(sys.argv[1])
entities = []
for e in doc.modelspace():
    item = {"type": e.dxftype(), "layer": e.dxf.layer}
    if e.dxftype() == "ARC":
        item.update(radius=e.dxf.radius, start=e.dxf.start_angle, end=e.dxf.end_angle,
                    centre=[e.dxf.center.x, e.dxf.center.y])
    elif e.dxftype() == "LINE":
        item.update(start=[e.dxf.start.x, e.dxf.start.y], end=[e.dxf.end.x, e.dxf.end.y])
    entities.append(item)
json.dump({
    "insunits": doc.header.get("$INSUNITS", 0),
    "errors": len(doc.audit().errors),
    "layers": {layer.dxf.name: layer.dxf.linetype for layer in doc.layers},
    "entities": entities,
}, sys.stdout)

# Imports a mesh file into an empty Blender scene and does nothing else, so
# that a whole run of Blender measures the import. Writes the number of
# mesh objects and faces it got to REPORT, which tells the caller that the
# import worked (Blender exits with status 0 after a failed import too).
# With "-" as MODEL it imports nothing, to measure Blender's start alone.
#
# blender --background --factory-startup --python blender_import.py -- MODEL REPORT
import os
import sys

import bpy

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from blender_importers import import_model  # noqa: E402

model, report = sys.argv[sys.argv.index("--") + 1:][:2]

bpy.ops.wm.read_factory_settings(use_empty=True)
if model != "-":
    import_model(model)

meshes = [o for o in bpy.context.scene.objects if o.type == "MESH"]
if meshes or model == "-":
    with open(report, "w") as out:
        out.write("%d %d\n" % (len(meshes), sum(len(o.data.polygons) for o in meshes)))

# Inside Blender: imports a model file with the importer a user would pick
# from Blender's File > Import menu for its extension.
import sys

import bpy


def import_model(model):
    extension = model.lower().rsplit(".", 1)[-1]
    if extension in ("glb", "gltf"):
        # Debian's Blender 3.4 glTF importer still uses an alias that
        # Debian's NumPy 1.24 no longer has.
        import numpy
        if not hasattr(numpy, "bool"):
            numpy.bool = bool
        bpy.ops.import_scene.gltf(filepath=model)
    elif extension == "obj":
        # The menu's importer, written in C++ (import_scene.obj is the
        # older one in Python).
        bpy.ops.wm.obj_import(filepath=model)
    elif extension == "stl":
        bpy.ops.import_mesh.stl(filepath=model)
    elif extension == "dae":
        bpy.ops.wm.collada_import(filepath=model)
    else:
        sys.exit("%s: no importer for .%s" % (model, extension))

# Renders a model with Blender's Freestyle line renderer, as a CAD user would
# set it up for line art: Cycles at one sample (the faces only need to be
# there for the lines' visibility), Freestyle's default line set, the camera
# looking at the model's bounding box from the front, right and above.
#
# blender --background --factory-startup --python freestyle_render.py -- MODEL OUTPUT.png WIDTH HEIGHT
import math
import os
import sys

import bpy
from mathutils import Vector

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from blender_importers import import_model  # noqa: E402

model, output, width, height = sys.argv[sys.argv.index("--") + 1:][:4]

bpy.ops.wm.read_factory_settings(use_empty=True)
scene = bpy.context.scene

import_model(model)

meshes = [o for o in scene.objects if o.type == "MESH"]
corners = [o.matrix_world @ Vector(c) for o in meshes for c in o.bound_box]
low = Vector((min(c.x for c in corners), min(c.y for c in corners), min(c.z for c in corners)))
high = Vector((max(c.x for c in corners), max(c.y for c in corners), max(c.z for c in corners)))
centre = (low + high) / 2
radius = (high - low).length / 2

camera_data = bpy.data.cameras.new("View")
camera_data.lens = 50
camera = bpy.data.objects.new("View", camera_data)
scene.collection.objects.link(camera)
direction = Vector((1.0, -1.0, 0.8)).normalized()
distance = radius / math.sin(camera_data.angle / 2)
camera.location = centre + direction * distance
camera.rotation_euler = (-direction).to_track_quat("-Z", "Y").to_euler()
camera_data.clip_start = distance / 1000
camera_data.clip_end = distance * 4
scene.camera = camera

sun = bpy.data.objects.new("Sun", bpy.data.lights.new("Sun", "SUN"))
scene.collection.objects.link(sun)
sun.rotation_euler = camera.rotation_euler

scene.render.engine = "CYCLES"
scene.cycles.samples = 1
scene.cycles.device = "CPU"
scene.cycles.use_denoising = False
scene.render.resolution_x = int(width)
scene.render.resolution_y = int(height)
scene.render.resolution_percentage = 100
scene.render.use_freestyle = True
# The empty start file has a line set without a line style; Freestyle's
# defaults are what the new one holds (silhouettes, borders, creases).
freestyle = bpy.context.view_layer.freestyle_settings
lineset = freestyle.linesets[0] if freestyle.linesets else freestyle.linesets.new("LineSet")
if lineset.linestyle is None:
    lineset.linestyle = bpy.data.linestyles.new("LineStyle")
scene.render.filepath = output
bpy.ops.render.render(write_still=True)

"""The comparisons' shared measuring and Blender's environment, and the
CAD comparison's reading of npr-render's report, without Blender.

    NPR_RENDER=... MAKE_CAD_RACK=... python3 -m unittest blender_runs_test
"""
import importlib.machinery
import importlib.util
import os
import stat
import subprocess
import tempfile
import unittest

from blender_runs import blender_environment, measured, medians, Measurement

HERE = os.path.dirname(os.path.abspath(__file__))


def load_script(name):
    loader = importlib.machinery.SourceFileLoader(name.replace("-", "_"), os.path.join(HERE, name))
    module = importlib.util.module_from_spec(importlib.util.spec_from_loader(loader.name, loader))
    loader.exec_module(module)
    return module


class BlenderEnvironmentTest(unittest.TestCase):
    def test_a_python_first_on_the_path_is_not_found(self):
        with tempfile.TemporaryDirectory() as folder:
            own_python = os.path.join(folder, "python3.11")
            with open(own_python, "w") as program:
                program.write("#!/bin/sh\n")
            os.chmod(own_python, stat.S_IRWXU)
            given = {"PATH": folder + ":" + os.defpath, "HOME": "/home/someone", "PYENV_VERSION": "3.11.7",
                     "PYTHONPATH": folder, "PYTHONHOME": folder, "VIRTUAL_ENV": folder}
            environment = blender_environment(given)
            found = subprocess.run(["/bin/sh", "-c", "command -v python3.11; env"], env=environment,
                                   capture_output=True, text=True).stdout
        self.assertNotIn(folder, found)
        self.assertIn("HOME=/home/someone", found.splitlines())

    def test_leaves_the_callers_environment_alone(self):
        given = {"PATH": "/somewhere", "PYTHONPATH": "/x"}
        blender_environment(given)
        self.assertEqual(given, {"PATH": "/somewhere", "PYTHONPATH": "/x"})


class MeasuredTest(unittest.TestCase):
    def setUp(self):
        self.folder = tempfile.TemporaryDirectory()
        self.output = os.path.join(self.folder.name, "out.txt")

    def tearDown(self):
        self.folder.cleanup()

    def test_a_run_that_writes_its_output(self):
        run = measured(["/bin/sh", "-c", "echo said >&2; echo x > '%s'" % self.output], self.folder.name, self.output)
        self.assertGreaterEqual(run.seconds, 0.0)
        self.assertGreater(run.mebibytes, 0.1)
        self.assertEqual(run.stderr, "said\n")

    def test_an_earlier_runs_output_does_not_count(self):
        with open(self.output, "w") as stale:
            stale.write("x")
        with self.assertRaises(SystemExit):
            measured(["/bin/true"], self.folder.name, self.output)

    def test_a_failed_run_ends_the_comparison(self):
        with self.assertRaises(SystemExit):
            measured(["/bin/sh", "-c", "echo x > '%s'; exit 3" % self.output], self.folder.name, self.output)

    def test_medians_of_time_and_memory(self):
        runs = [Measurement(3.0, 10.0, ""), Measurement(1.0, 30.0, ""), Measurement(2.0, 20.0, "")]
        self.assertEqual(medians(runs), (2.0, 20.0))


def private_home(folder):
    """The caller's environment with everything npr-render reads or writes of
    the user's inside `folder`."""
    environment = dict(os.environ, HOME=folder, LINVALE_REGISTRY_USER=os.path.join(folder, "user.reg"),
                       LINVALE_REGISTRY_MACHINE=os.path.join(folder, "machine.reg"))
    for name, place in (("XDG_CONFIG_HOME", "config"), ("XDG_DATA_HOME", "data"), ("XDG_CONFIG_DIRS", "etc"),
                        ("XDG_DATA_DIRS", "share")):
        environment[name] = os.path.join(folder, place)
    return environment


class NprRenderReportTest(unittest.TestCase):
    def test_reading_and_meshing_times_of_a_step_file(self):
        compare = load_script("compare-cad-import")
        with tempfile.TemporaryDirectory() as folder:
            rack = os.path.join(folder, "rack.step")
            subprocess.run([os.environ["MAKE_CAD_RACK"], rack, "2"], check=True)
            picture = os.path.join(folder, "rack.png")
            run = measured([os.environ["NPR_RENDER"], rack, "-q", "--verbose", "--size", "160x120",
                            "-o", picture], folder, picture, private_home(folder))
        objects, triangles, reading, meshing = compare.verbose_figures(run.stderr)
        self.assertGreaterEqual(objects, 2)
        self.assertGreater(triangles, 1000)
        self.assertGreater(reading, 0.0)
        self.assertGreater(meshing, 0.0)
        self.assertLess(reading + meshing, run.seconds)


if __name__ == "__main__":
    unittest.main()

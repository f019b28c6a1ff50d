# SPDX-License-Identifier: GPL-3.0-or-later
"""Where the tests find the batch runner and the source tree (set by CTest)."""
import os
import pathlib
import subprocess

import pytest


@pytest.fixture(scope="session")
def source_dir():
    return pathlib.Path(os.environ["SODWRIGHT_SOURCE_DIR"])


@pytest.fixture(scope="session")
def batch():
    """Runs sodwright-batch with the given arguments; fails on a non-zero exit."""
    program = os.environ["SODWRIGHT_BATCH"]

    def run(*args):
        done = subprocess.run([program, *map(str, args)], capture_output=True, text=True)
        assert done.returncode == 0, done.stderr
        return done

    return run

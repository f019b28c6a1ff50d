# SPDX-License-Identifier: GPL-3.0-or-later
"""Where the example scripts read and write their files.

In the source tree the examples lie beside the scripts, and a script writes
its file there. Installed, the scripts lie in share/doc/sodwright/examples
and the examples in share/sodwright/examples, which the user may not be
allowed to write: a script reads the installed examples and writes its file
into the current folder.
"""
import os

HERE = os.path.dirname(os.path.abspath(__file__))
# share/doc/sodwright/examples -> share/sodwright/examples
INSTALLED = HERE.endswith(os.path.join("", "doc", "sodwright", "examples"))
DATA = os.path.join(os.path.dirname(os.path.dirname(os.path.dirname(HERE))), "sodwright",
                    "examples") if INSTALLED else HERE


def data_path(name):
    """An example the scripts read."""
    return os.path.join(DATA, name)


def output_path(name):
    """Where a script writes its file."""
    return os.path.join(os.getcwd() if INSTALLED else HERE, name)

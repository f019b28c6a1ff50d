# SPDX-License-Identifier: GPL-3.0-or-later
"""sodwright.bando against sodwright-batch bando's printed lines, and its
refusals."""
import subprocess
import os

import pytest

import sodwright

LISTS = ("slope_class", "surface_form", "crop", "region", "tillage")


def batch_lines(picks):
    args = [os.environ["SODWRIGHT_BATCH"], "bando"]
    for name, item in picks.items():
        args += [f"--{name.replace('_', '-')}", str(item)]
    done = subprocess.run(args, capture_output=True, text=True)
    return done.returncode, dict(line.split(" ", 1) for line in done.stdout.splitlines()), \
        done.stderr


def shown(result):
    units = {"EI": " % m / ha", "Et": " kg / m / %", "At": " t / ha / yr", "Class": ""}
    texts = {"EI": result.ei_text, "Et": result.et_text, "At": result.at_text,
             "Class": result.risk_class}
    return {key: text + units[key] for key, text in texts.items()}


def test_every_item_of_each_list_matches_the_batch():
    # Each list's every item, the others at a position that gives a full run;
    # items by text in another letter case and by position alike.
    base = {"slope_class": 3, "surface_form": 1, "crop": 0, "region": 0, "tillage": 0}
    cases = 0
    for name in LISTS:
        for position, item in enumerate(sodwright.bando_items(name)):
            picks = dict(base, **{name: item.upper() if position % 2 else position})
            status, lines, _ = batch_lines(picks)
            if status != 0:
                with pytest.raises(ValueError):
                    sodwright.bando(**picks)
                continue
            result = sodwright.bando(**picks)
            assert shown(result) == lines, picks
            # The values are the texts' own: At = EI x Et / 1000.
            assert result.at == pytest.approx(result.ei * result.et / 1000, rel=1e-6, abs=1e-6)
            cases += 1
    assert cases > 20


def test_a_selection_without_erosivity_is_refused_with_the_batch_note():
    # The first selection the tables have no erosivity for: the batch shows
    # EI and then stops.
    for crop in range(len(sodwright.bando_items("crop"))):
        for region in range(len(sodwright.bando_items("region"))):
            status, lines, stderr = batch_lines({"crop": crop, "region": region})
            if status == 2 and "EI" in lines and "Et" not in lines:
                with pytest.raises(ValueError) as refused:
                    sodwright.bando(crop=crop, region=region)
                assert str(refused.value) and str(refused.value) in stderr
                return
    pytest.fail("the tables have an erosivity for every crop and region")


@pytest.mark.parametrize("picks, text", [
    ({"crop": "Banana"}, "^crop: unknown crop type: Banana \\(accepted: "),
    ({"region": 99}, "^region: unknown agricultural region: 99 .*position from 0 to"),
    ({"tillage": -1}, "^tillage: unknown tillage system: -1 "),
    ({"slope_class": 1.5}, "^slope_class: 1.5 is neither"),
])
def test_an_unknown_item_is_refused_naming_the_argument(picks, text):
    with pytest.raises(ValueError, match=text):
        sodwright.bando(**picks)

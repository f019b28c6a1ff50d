#!/usr/bin/python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""Makes the test workbooks of this folder.

Run from anywhere with Debian's python3 (not a virtual environment):

    /usr/bin/python3 tests/data/workbooks/make_workbooks.py

It needs python3-openpyxl (for .xlsx) and python3-xlwt (for .xls) from
Debian; .ods files and the damaged workbooks are written here as zip
archives of hand-made XML, since no .ods writer is packaged. The output is
the same on every run (fixed zip dates), so the committed files change only
when this script does.

Files:
  cells.{xls,xlsx,ods}        one of each kind of cell, for the reader tests
  cells_inline.xlsx           inline strings, formula texts, cells without
                              references (Excel itself writes shared strings)
  transect.txt                a 30-point transect, tab-delimited text
  transect.{xls,xlsx,ods}     the same transect in the workbook layout
                              (amounts instead of concentrations)
  transect_no_end.xlsx        the transect without the -100 end mark
  transect_text_depth.ods     a point row with a text in column C
  grid.txt                    a 6 x 5 grid, space-delimited
  grid.{xls,xlsx,ods}         the same grid in columns A, B, C
  grid_text_elevation.xlsx    the grid with a text in cell C4
  not_a_zip.{xlsx,ods}, not_an_xls.xls   plain text under a workbook name
  no_workbook_part.xlsx       a zip without the workbook part
  no_sheet.xlsx               a workbook part that lists no sheet
  no_content.ods              a zip without content.xml
  broken_sheet.xlsx           sheet XML cut off in the middle
  huge_repeat.ods             a long text repeated over every cell of the
                              sheet: refused, not held in memory
  deep_spans.ods              a cell text inside 200000 nested spans
"""

import io
import math
import os
import zipfile

import openpyxl
import xlwt

HERE = os.path.dirname(os.path.abspath(__file__))
ZIP_DATE = (2024, 1, 1, 0, 0, 0)


def path(name):
    return os.path.join(HERE, name)


def write_zip(name, members):
    """members: list of (member name, text or bytes)."""
    with zipfile.ZipFile(path(name), "w", zipfile.ZIP_DEFLATED) as z:
        for member, content in members:
            info = zipfile.ZipInfo(member, ZIP_DATE)
            info.compress_type = zipfile.ZIP_STORED if member == "mimetype" else zipfile.ZIP_DEFLATED
            z.writestr(info, content.encode("utf-8") if isinstance(content, str) else content)


def fixed_openpyxl_save(workbook, name):
    """openpyxl stamps the time into docProps; rewrite the zip with fixed dates and no timestamps."""
    buffer = io.BytesIO()
    workbook.save(buffer)
    members = []
    with zipfile.ZipFile(buffer) as z:
        for member in z.namelist():
            data = z.read(member)
            if member == "docProps/core.xml":
                data = CORE_XML.encode("utf-8")
            members.append((member, data))
    write_zip(name, members)


CORE_XML = ('<?xml version="1.0" encoding="UTF-8" standalone="yes"?>\n'
            '<cp:coreProperties xmlns:cp="http://schemas.openxmlformats.org/package/2006/metadata/core-properties"'
            ' xmlns:dc="http://purl.org/dc/elements/1.1/"><dc:creator>test data</dc:creator></cp:coreProperties>')


# ---------------------------------------------------------------- sheets as cell lists
# A sheet is a dict {(row, column): value}, rows and columns from 1; values
# are float, int, bool or str.

def cells_sheet():
    return {
        (1, 1): 1.5, (1, 2): "abc", (1, 3): 42, (1, 4): True,
        (2, 2): -100, (2, 5): False,
        (4, 6): "mg", (7, 5): 0.1,
        (12, 3): "  3.25",
        (30, 28): 123456.789,  # column AB
    }


def transect_points():
    """30 points: PL1, PL2, PL3, DepthL1, DepthL2, Elev, as their text-file texts."""
    points = []
    for i in range(30):
        pl1 = 18.0 + 0.37 * i + 1.5 * math.sin(i / 3.0)
        pl2 = 0.0 if i in (11, 12) else 12.0 + 0.11 * i
        d1 = 0.2 + 0.012 * math.cos(i)
        d2 = 0.0 if i in (11, 12) else 0.05 + 0.002 * (i % 7)
        elev = 100.0 - 0.035 * i + 0.4 * math.sin(i / 4.0)
        points.append(("%.6f" % pl1, "%.6f" % pl2, "0.000000", "%.4f" % d1, "%.4f" % d2, "%.6f" % elev))
    return points


TRANSECT = {"seq": 0, "distr": 3, "interval": 1, "alpha": 0.3, "beta": 0.003, "gamma": 0.02,
            "till": 0.2, "bd": (1300, 1350, 1450)}


def write_transect_text():
    t = TRANSECT
    points = transect_points()
    lines = [
        "Sequence=\t0\tDataPoints:\t %d " % len(points),
        "DistributionDistance=\t 3 \tm\tInterval =\t 1 \tm",
        "Lamda=\t .3 \t+\t .003 \t*SG+\t .02 \t*SC",
        "Tillage_Depth =\t .2 \tm",
        "BD1 =\t 1300 \tkg / m3\tBD2 =\t 1350 \tkg / m3\tBD3 =\t 1450 \tkg / m3",
        "",
        "P1_0\tP2_0\tP3_0\tL1_0\tL2_0\t Z 0",
        "mg/kg\tmg/kg\tmg/kg\t m \t m \t m ",
    ]
    assert t["seq"] == 0
    lines += ["\t".join(p) for p in points]
    with open(path("transect.txt"), "wb") as f:
        f.write(("\r\n".join(lines) + "\r\n").encode("ascii"))


def transect_sheet(with_end=True):
    t = TRANSECT
    sheet = {
        (1, 1): "Sequence=", (1, 2): t["seq"], (1, 3): "DataPoints:",
        (2, 1): "DistributionDistance=", (2, 2): t["distr"], (2, 3): "m", (2, 4): "Interval =",
        (2, 5): t["interval"], (2, 6): "m",
        (3, 1): "Lamda=", (3, 2): t["alpha"], (3, 3): "+", (3, 4): t["beta"], (3, 5): "*SG+", (3, 6): t["gamma"],
        (6, 1): "M1", (6, 2): "M2", (6, 3): "L1", (6, 4): "L2", (6, 5): "Z",
    }
    bd1, bd2, _ = t["bd"]
    dx = float(t["interval"])
    points = transect_points()
    for i, (pl1, pl2, _pl3, d1, d2, elev) in enumerate(points):
        row = 7 + i
        # The amounts the model holds: bulk density x concentration x interval x thickness.
        sheet[(row, 1)] = bd1 * float(pl1) * dx * float(d1)
        sheet[(row, 2)] = bd2 * float(pl2) * dx * float(d2)
        sheet[(row, 3)] = float(d1)
        sheet[(row, 4)] = float(d2)
        sheet[(row, 5)] = float(elev)
    if with_end:
        sheet[(7 + len(points), 5)] = -100
    return sheet


def grid_records():
    records = []
    for r in range(6):
        for c in range(5):
            easting = 512000.125 + 2 * c
            northing = 4801000.5 + 2 * r
            elevation = "%.4f" % (99.2 - 0.31 * c - 0.17 * r + 0.05 * math.sin(r * c))
            records.append((easting, northing, elevation))
    return records


def write_grid_text():
    lines = ["%.3f %.2f %s" % rec for rec in grid_records()]
    with open(path("grid.txt"), "wb") as f:
        f.write(("\r\n".join(lines) + "\r\n").encode("ascii"))


def grid_sheet():
    sheet = {}
    for n, (easting, northing, elevation) in enumerate(grid_records(), start=1):
        sheet[(n, 1)] = easting
        sheet[(n, 2)] = northing
        sheet[(n, 3)] = float(elevation)
    return sheet


# ---------------------------------------------------------------- writers

def save_xlsx(sheet, name):
    workbook = openpyxl.Workbook()
    ws = workbook.active
    ws.title = "Data"
    for (row, column), value in sorted(sheet.items()):
        ws.cell(row=row, column=column, value=value)
    workbook.create_sheet("Other").cell(row=1, column=1, value="not the first sheet")
    fixed_openpyxl_save(workbook, name)


def save_xls(sheet, name):
    workbook = xlwt.Workbook()
    ws = workbook.add_sheet("Data")
    for (row, column), value in sorted(sheet.items()):
        ws.write(row - 1, column - 1, value)
    workbook.add_sheet("Other").write(0, 0, "not the first sheet")
    workbook.save(path(name))


ODS_NS = ('xmlns:office="urn:oasis:names:tc:opendocument:xmlns:office:1.0" '
          'xmlns:table="urn:oasis:names:tc:opendocument:xmlns:table:1.0" '
          'xmlns:text="urn:oasis:names:tc:opendocument:xmlns:text:1.0"')


def ods_cell(value):
    if isinstance(value, bool):
        shown = "TRUE" if value else "FALSE"
        return ('<table:table-cell office:value-type="boolean" office:boolean-value="%s"><text:p>%s</text:p>'
                '</table:table-cell>' % (str(value).lower(), shown))
    if isinstance(value, (int, float)):
        return ('<table:table-cell office:value-type="float" office:value="%r"><text:p>%r</text:p>'
                '</table:table-cell>' % (value, value))
    escaped = value.replace("&", "&amp;").replace("<", "&lt;")
    # Runs of blanks are written as <text:s/>, as office programs do.
    body = escaped
    if body.startswith("  "):
        stripped = body.lstrip(" ")
        body = '<text:s text:c="%d"/>%s' % (len(body) - len(stripped), stripped)
    return '<table:table-cell office:value-type="string"><text:p>%s</text:p></table:table-cell>' % body


def ods_rows(sheet, extra_rows=""):
    """Rows of a table with gaps written as repeated empty rows and cells, and the
    rest of the sheet as one huge repeated empty row, as office programs write it."""
    out = []
    last_row = max(r for r, _ in sheet) if sheet else 0
    row = 1
    while row <= last_row:
        cells = {c: v for (r, c), v in sheet.items() if r == row}
        if not cells:
            gap = row
            while gap <= last_row and not any(r == gap for r, _ in sheet):
                gap += 1
            out.append('<table:table-row table:number-rows-repeated="%d">'
                       '<table:table-cell table:number-columns-repeated="1024"/></table:table-row>' % (gap - row))
            row = gap
            continue
        parts = []
        column = 1
        for c in sorted(cells):
            if c > column:
                parts.append('<table:table-cell table:number-columns-repeated="%d"/>' % (c - column))
            parts.append(ods_cell(cells[c]))
            column = c + 1
        parts.append('<table:table-cell table:number-columns-repeated="%d"/>' % (1024 - column + 1))
        out.append("<table:table-row>%s</table:table-row>" % "".join(parts))
        row += 1
    out.append(extra_rows)
    out.append('<table:table-row table:number-rows-repeated="1048000">'
               '<table:table-cell table:number-columns-repeated="1024"/></table:table-row>')
    return "".join(out)


def save_ods(sheet, name, extra_rows=""):
    content = ('<?xml version="1.0" encoding="UTF-8"?>\n'
               '<office:document-content %s office:version="1.2"><office:body><office:spreadsheet>'
               '<table:table table:name="Data"><table:table-column table:number-columns-repeated="1024"/>'
               '%s</table:table>'
               '<table:table table:name="Other"><table:table-row><table:table-cell office:value-type="string">'
               '<text:p>not the first sheet</text:p></table:table-cell></table:table-row></table:table>'
               '</office:spreadsheet></office:body></office:document-content>' % (ODS_NS, ods_rows(sheet, extra_rows)))
    manifest = ('<?xml version="1.0" encoding="UTF-8"?>\n'
                '<manifest:manifest xmlns:manifest="urn:oasis:names:tc:opendocument:xmlns:manifest:1.0" '
                'manifest:version="1.2"><manifest:file-entry manifest:full-path="/" '
                'manifest:media-type="application/vnd.oasis.opendocument.spreadsheet"/>'
                '<manifest:file-entry manifest:full-path="content.xml" manifest:media-type="text/xml"/>'
                '</manifest:manifest>')
    write_zip(name, [("mimetype", "application/vnd.oasis.opendocument.spreadsheet"),
                     ("content.xml", content), ("META-INF/manifest.xml", manifest)])


XLSX_TYPES = ('<?xml version="1.0" encoding="UTF-8"?>\n'
              '<Types xmlns="http://schemas.openxmlformats.org/package/2006/content-types">'
              '<Default Extension="rels" ContentType="application/vnd.openxmlformats-package.relationships+xml"/>'
              '<Default Extension="xml" ContentType="application/xml"/></Types>')
XLSX_ROOT_RELS = ('<?xml version="1.0" encoding="UTF-8"?>\n'
                  '<Relationships xmlns="http://schemas.openxmlformats.org/package/2006/relationships">'
                  '<Relationship Id="rId1" Type="http://schemas.openxmlformats.org/officeDocument/2006/'
                  'relationships/officeDocument" Target="xl/workbook.xml"/></Relationships>')
XLSX_BOOK_RELS = ('<?xml version="1.0" encoding="UTF-8"?>\n'
                  '<Relationships xmlns="http://schemas.openxmlformats.org/package/2006/relationships">'
                  '<Relationship Id="rId7" Type="http://schemas.openxmlformats.org/officeDocument/2006/'
                  'relationships/worksheet" Target="/xl/worksheets/first.xml"/></Relationships>')


def xlsx_workbook(sheets):
    return ('<?xml version="1.0" encoding="UTF-8"?>\n'
            '<workbook xmlns="http://schemas.openxmlformats.org/spreadsheetml/2006/main" '
            'xmlns:r="http://schemas.openxmlformats.org/officeDocument/2006/relationships"><sheets>%s</sheets>'
            '</workbook>' % sheets)


def xlsx_sheet(rows):
    return ('<?xml version="1.0" encoding="UTF-8"?>\n'
            '<worksheet xmlns="http://schemas.openxmlformats.org/spreadsheetml/2006/main"><sheetData>%s'
            '</sheetData></worksheet>' % rows)


def write_inline_xlsx():
    # Row 1: cells without references (A1, B1, C1); row 3: an inline rich
    # string, a formula text, a boolean and an error.
    rows = ('<row r="1"><c t="inlineStr"><is><t>first</t></is></c><c><v>2.5</v></c><c t="n"><v>-7</v></c></row>'
            '<row r="3"><c r="B3" t="inlineStr"><is><r><t>rich </t></r><r><t>text</t></r>'
            '<rPh><t>skip</t></rPh></is></c>'
            '<c r="C3" t="str"><f>A1</f><v>first</v></c><c r="D3" t="b"><v>1</v></c>'
            '<c r="E3" t="e"><v>#DIV/0!</v></c><c r="F3"><f>1/0</f></c></row>')
    write_zip("cells_inline.xlsx", [
        ("[Content_Types].xml", XLSX_TYPES), ("_rels/.rels", XLSX_ROOT_RELS),
        ("xl/workbook.xml", xlsx_workbook('<sheet name="A" sheetId="1" r:id="rId7"/>')),
        ("xl/_rels/workbook.xml.rels", XLSX_BOOK_RELS),
        ("xl/worksheets/first.xml", xlsx_sheet(rows))])


def write_damaged():
    for name in ("not_a_zip.xlsx", "not_a_zip.ods", "not_an_xls.xls"):
        with open(path(name), "w") as f:
            f.write("This is a plain text file, not a workbook.\n")
    write_zip("no_workbook_part.xlsx", [("[Content_Types].xml", XLSX_TYPES), ("docProps/core.xml", CORE_XML)])
    write_zip("no_sheet.xlsx", [
        ("[Content_Types].xml", XLSX_TYPES), ("_rels/.rels", XLSX_ROOT_RELS),
        ("xl/workbook.xml", xlsx_workbook("")), ("xl/_rels/workbook.xml.rels", XLSX_BOOK_RELS)])
    write_zip("no_content.ods", [("mimetype", "application/vnd.oasis.opendocument.spreadsheet")])
    write_zip("broken_sheet.xlsx", [
        ("[Content_Types].xml", XLSX_TYPES), ("_rels/.rels", XLSX_ROOT_RELS),
        ("xl/workbook.xml", xlsx_workbook('<sheet name="A" sheetId="1" r:id="rId7"/>')),
        ("xl/_rels/workbook.xml.rels", XLSX_BOOK_RELS),
        ("xl/worksheets/first.xml", xlsx_sheet('<row r="1"><c r="A1"><v>1</v></c></row>')[:-40])])


def write_hostile_ods():
    long_text = "x" * 30000
    row = ('<table:table-row table:number-rows-repeated="1048576"><table:table-cell '
           'table:number-columns-repeated="16384" office:value-type="string"><text:p>%s</text:p>'
           '</table:table-cell></table:table-row>' % long_text)
    deep = ('<table:table-row><table:table-cell office:value-type="string"><text:p>%sdeep%s</text:p>'
            '</table:table-cell></table:table-row>' % ("<text:span>" * 200000, "</text:span>" * 200000))
    for name, rows in (("huge_repeat.ods", row), ("deep_spans.ods", deep)):
        content = ('<?xml version="1.0" encoding="UTF-8"?>\n'
                   '<office:document-content %s><office:body><office:spreadsheet><table:table table:name="A">'
                   '%s</table:table></office:spreadsheet></office:body></office:document-content>' % (ODS_NS, rows))
        write_zip(name, [("mimetype", "application/vnd.oasis.opendocument.spreadsheet"), ("content.xml", content)])


def main():
    cells = cells_sheet()
    save_xlsx(cells, "cells.xlsx")
    save_xls(cells, "cells.xls")
    # After ten empty rows: one filled row repeated (A41, A42) and one cell repeated over three columns (A43:C43).
    save_ods(cells, "cells.ods",
             extra_rows='<table:table-row table:number-rows-repeated="10"><table:table-cell/></table:table-row>'
                        '<table:table-row table:number-rows-repeated="2">' + ods_cell(9) + '</table:table-row>'
                        '<table:table-row><table:table-cell table:number-columns-repeated="3" '
                        'office:value-type="percentage" office:value="0.25"><text:p>25%</text:p>'
                        '</table:table-cell></table:table-row>')
    write_inline_xlsx()

    write_transect_text()
    transect = transect_sheet()
    save_xlsx(transect, "transect.xlsx")
    save_xls(transect, "transect.xls")
    save_ods(transect, "transect.ods")
    save_xlsx(transect_sheet(with_end=False), "transect_no_end.xlsx")
    broken = transect_sheet()
    broken[(9, 3)] = "thin"
    save_ods(broken, "transect_text_depth.ods")

    write_grid_text()
    grid = grid_sheet()
    save_xlsx(grid, "grid.xlsx")
    save_xls(grid, "grid.xls")
    save_ods(grid, "grid.ods")
    grid[(4, 3)] = "n/a"
    save_xlsx(grid, "grid_text_elevation.xlsx")

    write_damaged()
    write_hostile_ods()


if __name__ == "__main__":
    main()

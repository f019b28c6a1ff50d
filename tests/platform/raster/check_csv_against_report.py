#!/usr/bin/env python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""Reads a CSV written by sodwright-batch with Python's csv module and checks
every number against the text report of the same run, to the report's own
decimals (half a unit of its last place).

  check_csv_against_report.py grid CSV REPORT   NIBAL: table from line 24
  check_csv_against_report.py kolv CSV REPORT   KOLV: rows from line 22
"""
import csv
import sys


def decimals(text):
    return len(text.split(".")[1]) if "." in text else 0


def close(csv_value, report_text):
    tolerance = 0.5 * 10 ** -decimals(report_text) + 1e-9 * abs(float(report_text))
    return abs(float(csv_value) - float(report_text)) <= tolerance


def main():
    kind, csv_path, report_path = sys.argv[1:4]
    with open(csv_path, newline="", encoding="latin-1") as f:
        records = list(csv.reader(f))
    with open(report_path, newline="", encoding="latin-1") as f:
        lines = f.read().split("\r\n")
    if kind == "grid":
        table = [line.split() for line in lines[23:] if line.strip()]
    else:
        table = [line.split("\t") for line in lines[21:] if line.strip()]
    header, rows = records[0], records[1:]
    expected_width = 12 if kind == "grid" else 22
    if len(rows) != len(table) or len(header) < expected_width:
        sys.exit(f"{len(rows)} CSV records of {len(header)} fields against {len(table)} report lines")
    for n, (record, line) in enumerate(zip(rows, table), start=2):
        if len(line) != expected_width:
            sys.exit(f"report line of record {n} has {len(line)} fields")
        for column, (value, shown) in enumerate(zip(record[:expected_width], line)):
            if not close(value, shown):
                sys.exit(f"record {n}, {header[column]}: CSV {value} but the report shows {shown}")
    print(f"{len(rows)} records agree with the report")


if __name__ == "__main__":
    main()

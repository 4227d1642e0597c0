#!/usr/bin/env python3
"""Writes a small spreadsheet with an independent library, for the reader tests.

usage: sheetwriter.py SPEC.json OUT

SPEC: {"format": "xlsx" | "ods" | "xls",
       "sheets": [{"name": "Arkusz1", "hidden": false, "rows": [ROW, ...]}]}
ROW: [CELL, ...] or {"repeat": n, "cells": [CELL, ...]} (ods: number-rows-repeated)
CELL: null, a string, a number, or an object:
  {"date": "2024-06-21"} (optional "format": a number format code)
  {"number": 0.5, "format": "0%"}   {"bool": true}
  {"formula": "A1*2", "value": 8}   (the value stored with the formula)
  {"repeat": n, "value": CELL}     (ods: number-columns-repeated)
  {"paragraphs": ["a", "b"]}       (ods: several text:p)
  {"time": "PT10H30M00S"}          (ods)
"""
import datetime
import json
import sys


def cells_of(row):
    return row["cells"] if isinstance(row, dict) else row


def write_xlsx(spec, out):
    import openpyxl
    wb = openpyxl.Workbook()
    wb.remove(wb.active)
    for sheet in spec["sheets"]:
        ws = wb.create_sheet(sheet["name"])
        if sheet.get("hidden"):
            ws.sheet_state = "hidden"
        for r, row in enumerate(sheet["rows"], start=1):
            for c, cell in enumerate(cells_of(row), start=1):
                if cell is None:
                    continue
                target = ws.cell(row=r, column=c)
                if isinstance(cell, dict):
                    if "date" in cell:
                        target.value = datetime.date.fromisoformat(cell["date"])
                        target.number_format = cell.get("format", "yyyy-mm-dd")
                    elif "datetime" in cell:
                        target.value = datetime.datetime.fromisoformat(cell["datetime"])
                        target.number_format = cell.get("format", "yyyy-mm-dd hh:mm")
                    elif "number" in cell:
                        target.value = cell["number"]
                        target.number_format = cell.get("format", "General")
                    elif "bool" in cell:
                        target.value = cell["bool"]
                    elif "formula" in cell:
                        target.value = "=" + cell["formula"]
                else:
                    target.value = cell
    wb.save(out)


def write_ods(spec, out):
    from odf.opendocument import OpenDocumentSpreadsheet
    from odf.table import Table, TableRow, TableCell
    from odf.text import P, S
    doc = OpenDocumentSpreadsheet()

    def ods_cell(cell):
        if cell is None:
            return TableCell()
        if isinstance(cell, dict) and "repeat" in cell:
            made = ods_cell(cell["value"])
            made.setAttribute("numbercolumnsrepeated", str(cell["repeat"]))
            return made
        if isinstance(cell, bool) or (isinstance(cell, dict) and "bool" in cell):
            v = cell if isinstance(cell, bool) else cell["bool"]
            made = TableCell(valuetype="boolean", booleanvalue="true" if v else "false")
            made.addElement(P(text="PRAWDA" if v else "FAŁSZ"))
            return made
        if isinstance(cell, (int, float)):
            made = TableCell(valuetype="float", value=repr(cell))
            made.addElement(P(text=str(cell)))
            return made
        if isinstance(cell, str):
            made = TableCell(valuetype="string")
            # runs of spaces as text:s, as office suites write them
            parts = cell.split("  ")
            p = P(text=parts[0])
            for part in parts[1:]:
                p.addElement(S(c=2))
                p.addText(part)
            made.addElement(p)
            return made
        if "date" in cell:
            made = TableCell(valuetype="date", datevalue=cell["date"])
            made.addElement(P(text=cell["date"]))
            return made
        if "time" in cell:
            made = TableCell(valuetype="time", timevalue=cell["time"])
            made.addElement(P(text=cell["time"]))
            return made
        if "number" in cell:
            kind = "percentage" if cell.get("format", "").endswith("%") else "float"
            made = TableCell(valuetype=kind, value=repr(cell["number"]))
            made.addElement(P(text=str(cell["number"])))
            return made
        if "formula" in cell:
            v = cell["value"]
            if isinstance(v, str):
                made = TableCell(formula="of:=" + cell["formula"], valuetype="string", stringvalue=v)
            else:
                made = TableCell(formula="of:=" + cell["formula"], valuetype="float", value=repr(v))
            made.addElement(P(text=str(v)))
            return made
        if "paragraphs" in cell:
            made = TableCell(valuetype="string")
            for text in cell["paragraphs"]:
                made.addElement(P(text=text))
            return made
        raise ValueError("unknown cell %r" % (cell,))

    for sheet in spec["sheets"]:
        table = Table(name=sheet["name"])
        for row in sheet["rows"]:
            tr = TableRow()
            if isinstance(row, dict) and "repeat" in row:
                tr.setAttribute("numberrowsrepeated", str(row["repeat"]))
            for cell in cells_of(row):
                tr.addElement(ods_cell(cell))
            table.addElement(tr)
        doc.spreadsheet.addElement(table)
    doc.save(out)


def write_xls(spec, out):
    import xlwt
    wb = xlwt.Workbook(encoding="utf-8")
    for sheet in spec["sheets"]:
        ws = wb.add_sheet(sheet["name"])
        for r, row in enumerate(sheet["rows"]):
            for c, cell in enumerate(cells_of(row)):
                if cell is None:
                    continue
                if isinstance(cell, dict):
                    if "date" in cell:
                        style = xlwt.easyxf(num_format_str=cell.get("format", "DD.MM.YYYY"))
                        ws.write(r, c, datetime.date.fromisoformat(cell["date"]), style)
                    elif "datetime" in cell:
                        style = xlwt.easyxf(num_format_str=cell.get("format", "DD.MM.YYYY HH:MM"))
                        ws.write(r, c, datetime.datetime.fromisoformat(cell["datetime"]), style)
                    elif "number" in cell:
                        ws.write(r, c, cell["number"])
                    elif "bool" in cell:
                        ws.write(r, c, cell["bool"])
                    elif "formula" in cell:
                        ws.write(r, c, xlwt.Formula(cell["formula"]))
                else:
                    ws.write(r, c, cell)
    wb.save(out)


def main():
    with open(sys.argv[1], encoding="utf-8") as f:
        spec = json.load(f)
    {"xlsx": write_xlsx, "ods": write_ods, "xls": write_xls}[spec["format"]](spec, sys.argv[2])


if __name__ == "__main__":
    main()

#!/usr/bin/env python3
"""Spreadsheets with a real client: workbooks written by openpyxl are imported by tessaril-cli,
and the .xlsx and .csv files its exports write are read back by openpyxl and Python's csv
module, cell for cell. Usage: openpyxl_roundtrip.py TESSARIL_CLI"""
import csv
import glob
import os
import re
import subprocess
import sys
import tempfile
import zipfile

import openpyxl

CLI = sys.argv[1]
failures = []


def run(script, work):
    done = subprocess.run([CLI, "--config", os.path.join(work, "s.ini"), "--data", work],
                          input=script, capture_output=True, text=True, cwd=work, timeout=300)
    return done.returncode, done.stdout


def check(name, got, want):
    if got != want:
        failures.append(f"{name}:\n  got  {got!r}\n  want {want!r}")


def rewrite_part(path, part, change):
    """Rewrites one XML part of a workbook (what openpyxl 3.0 never writes itself: shared
    strings in cells, cached values of formulas)."""
    with zipfile.ZipFile(path) as old:
        items = [(info, old.read(info.filename)) for info in old.infolist()]
    with zipfile.ZipFile(path, "w", zipfile.ZIP_DEFLATED) as new:
        for info, data in items:
            if info.filename == part:
                data = change(data.decode()).encode()
            new.writestr(info, data)


def make_book(path):
    book = openpyxl.Workbook()
    sheet = book.active
    sheet.title = "客户"
    sheet.append([13800138000, "13900139000", " 13700137000 "])   # numeric, text, padded text
    sheet.append([])                                               # an empty row
    sheet.append([None, 1.38001e10, '="1860018"&"6000"'])          # float-stored whole, formula
    sheet.append([True, 3.14, "张三"])
    second = book.create_sheet("第二页")
    second["B3"] = 15000150000
    second["A5"] = "第一行\n第二行"
    third = book.create_sheet("空")
    third["A1"] = None
    book.save(path)
    # The formula's cached value, as Excel stores it.
    rewrite_part(path, "xl/worksheets/sheet1.xml",
                 lambda xml: xml.replace("<v></v>", "<v>18600186000</v>").replace(
                     "<v />", "<v>18600186000</v>"))
    # Shared strings: the second sheet's text cell and a new one refer to the table.
    def shared(xml):
        xml = re.sub(r'<c r="A5" t="inlineStr"><is><t[^>]*>[^<]*</t></is></c>',
                     '<c r="A5" t="s"><v>0</v></c><c r="B5" t="s"><v>1</v></c>', xml)
        return xml
    rewrite_part(path, "xl/worksheets/sheet2.xml", shared)
    with zipfile.ZipFile(path, "a") as book_zip:
        book_zip.writestr("xl/sharedStrings.xml",
                          '<?xml version="1.0" encoding="UTF-8"?><sst xmlns="http://schemas.'
                          'openxmlformats.org/spreadsheetml/2006/main" count="2" uniqueCount="2">'
                          '<si><t>17700177000</t></si><si><r><t>133</t></r><r><t>00133000</t></r>'
                          '<rPh><t>x</t></rPh></si></sst>')
    rewrite_part(path, "xl/_rels/workbook.xml.rels", lambda xml: xml.replace(
        "</Relationships>",
        '<Relationship Id="rIdS" Type="http://schemas.openxmlformats.org/officeDocument/2006/'
        'relationships/sharedStrings" Target="sharedStrings.xml"/></Relationships>'))


def sheet_cells(path):
    """Every sheet's rows as openpyxl reads them, with their types."""
    book = openpyxl.load_workbook(path, read_only=True)
    return [(ws.title, [list(row) for row in ws.iter_rows(values_only=True)])
            for ws in book.worksheets]


def main():
    with tempfile.TemporaryDirectory() as work:
        book = os.path.join(work, "book.xlsx")
        make_book(book)
        status, out = run(f"import {book}\nstatus\nprint source\n", work)
        check("import status", status, 0)
        check("import of the openpyxl workbook", out.splitlines(), [
            "当前原始号码框内有11个手机号码", "当前目标号码框内有0个手机号码",
            "13800138000", "13900139000", "13700137000", "13800100000", "18600186000",
            "TRUE", "3.14", "张三", "15000150000", "17700177000", "13300133000"])
        # The same workbook through the extraction: only the mobile numbers of the cells.
        status, out = run(f"extract numbers {book}\nprint source\n", work)
        check("extract", out.split(), ["13800138000", "13900139000", "13700137000",
                                       "13800100000", "18600186000", "15000150000",
                                       "17700177000", "13300133000"])

        # Exports to .xlsx and .csv, read back by openpyxl and csv.
        numbers = [str(13800000000 + n) for n in range(25)] + ["a,\"b\"", "张三"]
        with open(os.path.join(work, "in.txt"), "w", encoding="utf-8") as f:
            f.write("\n".join(numbers) + "\n")
        status, out = run("import in.txt\nexport-all source 客户.xlsx --format xlsx\nstatus\n",
                          work)
        check("export-all xlsx status", (status, out.splitlines()[0]), (0, "当前原始号码框内有0个手机号码"))
        cells = sheet_cells(os.path.join(work, "客户_27条.xlsx"))
        check("export-all xlsx cells", cells, [("号码", [[n] for n in numbers])])
        check("xlsx cells are text", {type(row[0]) for row in cells[0][1]}, {str})

        run("import in.txt\nexport-all source 行.xlsx --format xlsx --rows 4\n", work)
        rows = sheet_cells(os.path.join(work, "行_27条.xlsx"))[0][1]
        want = [numbers[i:i + 4] for i in range(0, len(numbers), 4)]
        want[-1] += [None] * (4 - len(want[-1]))
        check("rows layout as columns", rows, want)

        run("import in.txt\nexport-all source out.csv --format csv --rows 2 --separator ;\n", work)
        with open(os.path.join(work, "out_27条.csv"), newline="", encoding="utf-8") as f:
            read = list(csv.reader(f))
        check("csv rows", read, [numbers[i:i + 2] for i in range(0, len(numbers), 2)])
        with open(os.path.join(work, "out_27条.csv"), "rb") as f:
            check("csv line ends", f.read().count(b"\r\n"), 14)

        run("import in.txt\nexport-batches source b.csv --size 10 --format csv\n", work)
        got = []
        for name in sorted(glob.glob(os.path.join(work, "b00*_*条.csv"))):
            with open(name, newline="", encoding="utf-8") as f:
                got += [row[0] for row in csv.reader(f)]
        check("batch names", sorted(os.path.basename(p) for p in glob.glob(
            os.path.join(work, "b00*"))), ["b0000_10条.csv", "b0001_10条.csv", "b0002_7条.csv"])
        check("batches csv", got, numbers)

        run("import in.txt\nexport-segment source seg.xlsx 3 --format xlsx\n"
            "import in.txt\nexport-carrier source c.xlsx --format xlsx\n"
            "import in.txt\nexport-repeat source r.csv --format csv\n", work)
        check("segment names", sorted(os.path.basename(p) for p in glob.glob(
            os.path.join(work, "seg-*"))), ["seg-138_25条.xlsx", "seg-a,\"_1条.xlsx",
                                            "seg-张_1条.xlsx"])
        check("segment cells", sheet_cells(os.path.join(work, "seg-138_25条.xlsx")),
              [("号码", [[n] for n in numbers[:25]])])
        check("carrier names", sorted(os.path.basename(p) for p in glob.glob(
            os.path.join(work, "c-*"))), ["c-小灵通号码_2条.xlsx", "c-移动号码_25条.xlsx"])
        check("no working files left", sorted(os.path.basename(p) for p in glob.glob(
            os.path.join(work, "*.tmp")) + glob.glob(os.path.join(work, "c-移动号码"))), [])
        with open(os.path.join(work, "r-重复1次_27条.csv"), newline="", encoding="utf-8") as f:
            check("repeat csv", [row[0] for row in csv.reader(f)], numbers)

        # Bad input: a clear message, the list as it was.
        bad = {"old.xls": b"\xd0\xcf\x11\xe0\xa1\xb1\x1a\xe1" + b"\0" * 600,
               "locked.xlsx": b"\xd0\xcf\x11\xe0\xa1\xb1\x1a\xe1" + b"\0" * 600,
               "cut.xlsx": open(book, "rb").read()[:700]}
        for name, data in bad.items():
            with open(os.path.join(work, name), "wb") as f:
                f.write(data)
        for name, want in [("old.xls", "不支持旧的 .xls 格式"), ("locked.xlsx", "设有密码"),
                           ("cut.xlsx", "已损坏")]:
            status, out = run(f"import in.txt\nimport {name}\nstatus\n", work)
            check(f"{name} status", status, 1)
            check(f"{name} message", want in out, True)
    if failures:
        print("\n".join(failures))
        sys.exit(1)


main()

# Prints a workbook as Debian's xlrd reads it: "sheet <name>", then one line
# per row, cells joined by "|", dates as yyyy-mm-dd. Any warning xlrd logs
# fails the run.
import io
import sys

import xlrd

log = io.StringIO()
book = xlrd.open_workbook(sys.argv[1], logfile=log)
if log.getvalue():
    sys.exit('xlrd: ' + log.getvalue())
for sheet in book.sheets():
    print('sheet ' + sheet.name)
    for r in range(sheet.nrows):
        cells = []
        for c in sheet.row(r):
            if c.ctype == xlrd.XL_CELL_DATE:
                cells.append(xlrd.xldate_as_datetime(c.value, book.datemode).strftime('%Y-%m-%d'))
            elif c.ctype == xlrd.XL_CELL_NUMBER:
                cells.append(repr(c.value))
            else:
                cells.append(str(c.value))
        print('|'.join(cells))

#!/usr/bin/env python3
"""The declaration's checks: a table whose INSERT text, reader items or
records disagree with its columns is refused when it is generated, before
any code is built from it."""
import os
import sys

sys.path.insert(0, os.path.join(sys.argv[1], 'tools', 'tablegen'))
import gen_tables as g  # noqa: E402

COLS = """
    networkid             NUMBER(10)      -
    listname              VARCHAR2(300)   N
    elementvalue          VARCHAR2(300)   T
"""


def refused(what, **kw):
    g.TABLES.clear()
    try:
        g.table('LISTVALUES', rec='list_value_rec', list='prlistvalues', release='TOPOLOGY',
                cols=kw.pop('cols', COLS), **kw)
        g.descriptions()
        g.stored_fields()
    except g.Fail as e:
        print('refused as it should be: %s: %s' % (what, e))
        return
    sys.exit('not refused: ' + what)


refused('one %s too many', write=g.Write(insert="INSERT INTO LISTVALUES VALUES (%d,'%s','%s','%s')"))
refused('one value too few', write=g.Write(insert="INSERT INTO LISTVALUES VALUES (%d,'%s')"))
refused('a number where a text goes', write=g.Write(insert="INSERT INTO LISTVALUES VALUES (%d,%d,'%s')"))
refused('a select of no column', read=g.Read(select=['networkid', 'listnam']))
refused('a text kept without its width', cols=COLS.replace('T\n', '-\n'), write=g.Write())
refused('a column declared twice', cols=COLS + '    listname  VARCHAR2(300)  N\n')
g.TABLES.clear()
g.table('LISTVALUES', rec='list_value_rec', list='prlistvalues', release='TOPOLOGY', cols=COLS, write=g.Write())
assert "INSERT INTO LISTVALUES VALUES (%d,'%s','%s')" in g.descriptions()

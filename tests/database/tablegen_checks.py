#!/usr/bin/env python3
"""The declaration's checks: a table whose INSERT text, reader items or
records disagree with its columns, or whose place in the readers' or
writers' order is missing or taken, is refused when it is generated, before
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


ENV = {'READ_SECTIONS': [('Topology', ['TOPOLOGY'])]}


def refused(what, other=None, **kw):
    g.TABLES.clear()
    try:
        g.table('LISTVALUES', rec='list_value_rec', list='prlistvalues', release=kw.pop('release', 'TOPOLOGY'),
                cols=kw.pop('cols', COLS), **kw)
        if other:
            g.table('DOMAIN', rec='domain_rec', list='prdomains', release='TOPOLOGY', cols=COLS, **other)
        g.descriptions()
        g.stored_fields()
        g.orders(ENV)
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
refused('a reader with no step', read=g.Read())
refused('two readers at one step', read=g.Read(step=10), other={'read': g.Read(step=10)})
refused('two writers at one step', write=g.Write(step=10), other={'write': g.Write(step=10)})
refused('a writer within no table that has a step', write=g.Write(within='DOMAIN'), other={'write': g.Write()})
refused('a table written whole by no routine', write=g.Write(step=10, described=False))
refused('a reader in no section', read=g.Read(step=10), release='ROUTING')
g.TABLES.clear()
g.table('LISTVALUES', rec='list_value_rec', list='prlistvalues', release='TOPOLOGY', cols=COLS, write=g.Write())
assert "INSERT INTO LISTVALUES VALUES (%d,'%s','%s')" in g.descriptions()

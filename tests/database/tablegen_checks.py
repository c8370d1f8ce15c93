#!/usr/bin/env python3
"""The declaration's checks: a table whose reader moves a column twice or
names no column, whose statements are written out by hand instead of made
from its columns, whose records disagree with its columns or belong to two sections' headers, or
whose place in the readers' or writers' order is missing or taken, is refused when it is generated, before
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


refused('an INSERT written out by hand', write=g.Write(insert="INSERT INTO LISTVALUES VALUES (%d,'%s','%s')"))
refused('a spacing of no column', write=g.Write(spacing={'listnam': ', '}))
refused('a select list written out by hand', read=g.Read(select=['networkid', 'listname', 'elementvalue']))
refused('an order written out by hand', read=g.Read(step=10, select_order='listname networkid elementvalue'))
refused('a move of a column twice',
        read=g.Read(step=10, read_after=[('listname', None), ('elementvalue', None), ('listname', 'elementvalue')]))
refused('a move of a column after itself', read=g.Read(step=10, read_after=[('listname', 'listname')]))
refused('a move of no column', read=g.Read(step=10, read_after=[('listnam', None)]))
refused('a move after a column not read', cols=COLS.replace('T\n', 'T     unread\n'),
        read=g.Read(step=10, read_after=[('listname', 'elementvalue')]))
refused('a read form for no column', read=g.Read(step=10, r={'listnam': '?'}))
refused('an empty entry column that is a number', write=g.Write(insert_empty=True),
        cols=COLS + '    extra  NUMBER(10)  -  entry\n')
refused('a text kept without its width', cols=COLS.replace('T\n', '-\n'), write=g.Write())
refused('a column declared twice', cols=COLS + '    listname  VARCHAR2(300)  N\n')
refused('a reader with no step', read=g.Read())
refused('two readers at one step', read=g.Read(step=10), other={'read': g.Read(step=10)})
refused('two writers at one step', write=g.Write(step=10), other={'write': g.Write(step=10)})
refused('a writer within no table that has a step', write=g.Write(within='DOMAIN'), other={'write': g.Write()})
refused('a table written whole by no routine', write=g.Write(step=10, described=False))
refused('a reader in no section', read=g.Read(step=10), release='ROUTING')

# Each record, its fields and its list go to the header of one section.
SECTIONS = {'RELEASE_GROUPS': ['TOPOLOGY', 'ROUTING'], 'RECORD_SECTIONS': {'TOPOLOGY': 'topology', 'ROUTING': 'routing'}}


def sectioned(what, tables):
    g.TABLES.clear()
    g.UNSTORED.clear()
    for name, rec, lst, kw in tables:
        g.table(name, rec=rec, list=lst, cols=COLS, write=g.Write(), **kw)
    try:
        files = g.records(SECTIONS)
    except g.Fail as e:
        if what:
            print('refused as it should be: %s: %s' % (what, e))
            return None
        raise
    if what:
        sys.exit('not refused: ' + what)
    return files


sectioned('a record of two sections', [('LISTVALUES', 'list_value_rec', 'prlistvalues', {'release': 'TOPOLOGY'}),
                                        ('DOMAIN', 'list_value_rec', 'prdomains', {'release': 'ROUTING'})])
sectioned('records of a section that has no header', [('LISTVALUES', 'list_value_rec', 'prlistvalues',
                                                       {'release': 'TOPOLOGY', 'records': 'qos'})])
sectioned('a record declared by hand in another section\'s header',
          [('NETWORKVARS', 'network_var_rec', 'prnetworkvars', {'release': 'ROUTING'})])
files = sectioned(None, [('LISTVALUES', 'list_value_rec', 'prlistvalues', {'release': 'TOPOLOGY'}),
                         ('DOMAIN', 'domain_rec', 'prdomains', {'release': 'TOPOLOGY', 'records': 'routing'})])
topology, routing = files['core/records_topology_stored.h'], files['core/records_routing_stored.h']
assert 'struct list_value_rec {' in topology and 'extern record_list<list_value_rec> prlistvalues;' in topology, topology
assert 'domain_rec' not in topology, topology
assert '#define NDL_STORED_domain_rec' in routing and 'extern record_list<domain_rec> prdomains;' in routing, routing
assert 'list_value_rec' not in routing, routing


def made(cols, **kw):
    g.TABLES.clear()
    g.table('LISTVALUES', rec='list_value_rec', list='prlistvalues', release='TOPOLOGY', cols=cols, **kw)
    return g.descriptions()


assert "INSERT INTO LISTVALUES VALUES (%d,'%s','%s')" in made(COLS, write=g.Write())
# A new column is its line alone: both statements take it, in its place.
text = made(COLS + '    added                 VARCHAR2(300)   T     r=?\n', read=g.Read(step=10), write=g.Write())
assert "INSERT INTO LISTVALUES VALUES (%d,'%s','%s','%s')" in text, text
assert '{"NVL(added,\'IS NULL\')", col_text, copy_loc, 0, FIELD(list_value_rec, added)},\n};' in text, text
# A table's own spacing stays where a column is added before the last.
cols = COLS.replace('    elementvalue', '    added                 NUMBER(10)      -\n    elementvalue')
assert "INSERT INTO LISTVALUES VALUES ( %d, '%s',%d , '%s' )" in made(
    cols, write=g.Write(spacing={'networkid': ' ', 'listname': ', ', 'elementvalue': ' , ', ')': ' '})), cols
# Moves in turn: last first, then another after it; a new column keeps its place.
text = made(COLS + '    added                 VARCHAR2(300)   T\n',
            read=g.Read(step=10, read_after=[('elementvalue', None), ('networkid', 'elementvalue')]))
assert ('_cols[] = {\n    {"elementvalue", col_text, copy_plain, 0, FIELD(list_value_rec, elementvalue)},\n'
        '    {"networkid", col_int, copy_plain, 0, FIELD(list_value_rec, networkid)},\n'
        '    {"listname", col_text, copy_plain, 0, FIELD(list_value_rec, listname)},\n'
        '    {"added", col_text, copy_plain, 0, FIELD(list_value_rec, added)},\n};') in text, text
# Read forms: an expression with spaces, a dropped value, an unread column.
text = made(COLS.replace('N\n', "N     r=~=NVL(listname, 'X')\n").replace('T\n', 'T     unread\n')
            .replace('-\n', '-     r=-\n'), read=g.Read(step=10))
assert ('{"networkid", col_int, copy_plain, 0, kNoField},\n'
        '    {"NVL(listname, \'X\')", col_text, copy_loc, 0, FIELD(list_value_rec, listname)},\n};') in text, text
print('every check refused what it should, and the statements are made from the columns')

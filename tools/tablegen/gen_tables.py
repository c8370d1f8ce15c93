#!/usr/bin/env python3
"""Generates what the stored tables' declaration (tables.py) implies: the
repository schema, its version and network indexes, the reader and writer
descriptions and the orders they run in, the older layout's differences,
the records' stored fields and the run's list heads and their release.

    gen_tables.py ROOT   writes database/schema.sql,
                         database/version_indexes.sql, database/tables.inc,
                         database/older_layout.inc, core/release.inc and
                         each section's core/records_SECTION_stored.h below
                         ROOT (the source tree: "gen_tables.py .")
    gen_tables.py --list names those files, one a line

tests/database/tables_current.cmake fails when the committed copies are not
this program's output.
"""
import os
import re
import sys

HERE = os.path.dirname(os.path.abspath(__file__))


class Fail(Exception):
    pass


class Col:
    def __init__(self, line, table, flip=False):
        parts = re.split(r'\s{2,}', line.strip(), maxsplit=3)
        if len(parts) < 3:
            raise Fail('%s: a column is "name  TYPE  width  [flags]": %r' % (table, line))
        self.name, self.type, width = parts[0], parts[1], parts[2]
        self.width = None if width == '-' else {'N': 'kName', 'T': 'kText'}.get(width, width)
        flags = parts[3] if len(parts) > 3 else ''
        # r= is the last flag: its read form may hold spaces.
        m = re.search(r'(?:^|\s)r=(.*)$', flags)
        self.read = m.group(1).strip() if m else ''
        flags = (flags[:m.start()] if m else flags).split()
        self.entry = 'entry' in flags
        self.versioned_only = 'versioned-only' in flags
        self.unread = 'unread' in flags
        self.older_type = None
        self.w = None  # writer value: None as the column says, else pos, qosseq, 'LITERAL' or a field name
        self.quoted = 'quoted' in flags
        for f in flags:
            if f.startswith('older='):
                self.older_type = f[6:]
            elif f.startswith('w='):
                self.w = f[2:]
            elif f not in ('entry', 'versioned-only', 'unread', 'quoted'):
                raise Fail('%s.%s: unknown flag %r' % (table, self.name, f))
        # A group named "~@NAME" reads its bare texts the other way round.
        if flip and not self.number and not any(ch in self.read for ch in '?=:'):
            self.read = '~' + self.read

    @property
    def number(self):
        return self.type.startswith('NUMBER')

    def item(self, form=None):
        """The reader's item for this column: its read form around its name."""
        form = self.read if form is None else form
        m = re.match(r'^([-~]*)(.*)$', form)
        return m.group(1) + self.name + m.group(2)


class Read:
    def __init__(self, **kw):
        self.kw = kw


class Write:
    def __init__(self, **kw):
        self.kw = kw


class Table:
    def __init__(self, name, cols, rec=None, entry=None, sub=None, list=None, before='\n', note=None,
                 pad=20, key=None, read=None, write=None, release=None, records=None):
        self.release, self.records = release, records
        self.name, self.rec, self.entry, self.sub, self.list = name, rec, entry, sub, list
        self.before, self.note, self.pad, self.key = before, note, pad, key
        self.cols = [Col(l, name, flip) for l, flip in expand_lines(cols, name)]
        self.by_name = {c.name: c for c in self.cols}
        # A table its routine writes whole has a write step and no description.
        self.read, self.write_step = read, write
        self.write = write if write is None or write.kw.get('described', True) else None
        self.upper = name.upper()
        self.versioned = 'ndlversion' in self.by_name
        if len(self.by_name) != len(self.cols):
            raise Fail('%s: a column is declared twice' % name)


TABLES = []
INDEX_GROUPS = {}
GROUPS = {}


class Group:
    """Columns that several tables share, in the same order: a table names
    them by a line "@NAME" of its columns ("~@NAME" turns the "IS NULL"
    rule of their bare texts the other way)."""

    def __init__(self, name, cols):
        self.name, self.lines = name, [l for l in cols.split('\n') if l.strip()]


def group(name, cols):
    GROUPS[name] = Group(name, cols)


def expand_lines(text, table):
    """The column lines, each with whether its group is read flipped."""
    lines = []
    for l in text.split('\n'):
        ref = l.strip()
        if ref.startswith('@') or ref.startswith('~@'):
            g = GROUPS.get(ref.lstrip('~@'))
            if g is None:
                raise Fail('%s: no column group %s' % (table, ref))
            lines.extend((gl, ref.startswith('~')) for gl in g.lines)
        elif ref:
            lines.append((l, False))
    return lines


def table(name, **kw):
    TABLES.append(Table(name, **kw))


# Lists of records that no table stores, released with their group.
UNSTORED = []


def unstored_list(name, rec, release):
    UNSTORED.append((name, rec, release))


def load(path):
    env = {'table': table, 'group': group, 'unstored_list': unstored_list, 'read': Read, 'write': Write,
           'INDEX_GROUPS': INDEX_GROUPS}
    with open(path) as f:
        exec(compile(f.read(), path, 'exec'), env)
    return env


def c_string(s):
    out = s.replace('\\', '\\\\').replace('"', '\\"').replace('\n', '\\n')
    return '"' + out + '"'


def c_opt(s):
    return 'nullptr' if s is None else c_string(s)


# ---------------------------------------------------------------- schema

SQL_GENERATED = '-- Generated by tools/tablegen/gen_tables.py from tools/tablegen/tables.py;\n-- edit the declaration instead.\n'


def schema_sql(env):
    out = [SQL_GENERATED, env['SCHEMA_HEAD']]
    for t in TABLES:
        out.append(t.before)
        out.append('CREATE TABLE %s (%s\n' % (t.name, ' -- ' + t.note if t.note else ''))
        lines = []
        for i, c in enumerate(t.cols):
            last = i == len(t.cols) - 1
            note = ' -- versioned only' if c.versioned_only else ' -- older layout: ' + c.older_type if c.older_type else ''
            lines.append('  %-*s %s%s%s' % (t.pad, c.name, c.type, '' if last else ',', note))
        out.append('\n'.join(lines) + '\n);\n')
    for group, text in env['INDEX_GROUPS'].items():
        out.append('\n' + text)
        for t in TABLES:
            if t.key and t.key[0] == group:
                out.append('CREATE INDEX IF NOT EXISTS %s_%s ON %s (networkid, %s);\n'
                           % (t.name.lower(), t.key[1], t.name, ', '.join(t.key[2].split())))
    out.append('\n' + env['TRIGGER_HEAD'])
    out.append('CREATE TRIGGER policyversions_rules AFTER DELETE ON POLICYVERSIONS -- versioned only\nFOR EACH ROW BEGIN\n')
    for t in TABLES:
        if t.versioned and t.upper != 'POLICYVERSIONS':
            out.append('  DELETE FROM %s WHERE networkid = OLD.networkid AND ndlversion = OLD.ndlversion;\n' % t.name)
    out.append('END;\n')
    return ''.join(out)


def version_indexes_sql(env):
    out = [SQL_GENERATED, env['VERSION_INDEX_HEAD'],
           '-- Versions are rows of: %s\n-- Networks are rows of: %s\n' % (env['VERSIONS_TABLE'], env['NETWORKS_TABLE'])]
    for t in TABLES:
        if t.versioned:
            key = ', ' + ', '.join(t.key[2].split()) if t.key else ''
            out.append('CREATE INDEX IF NOT EXISTS %s_version ON %s (networkid, ndlversion%s);\n'
                       % (t.name.lower(), t.name, key))
    out.append('\n' + env['NETWORK_INDEX_HEAD'])
    # A table found by a key of its own, or by its primary key, needs none.
    plain = [t for t in TABLES if 'networkid' in t.by_name and not t.versioned and not t.key
             and 'PRIMARY KEY' not in t.by_name['networkid'].type]
    for t in sorted(plain, key=lambda t: t.upper):
        out.append('CREATE INDEX IF NOT EXISTS %s_network ON %s (networkid);\n' % (t.name.lower(), t.name))
    return ''.join(out)


# ---------------------------------------------------------------- descriptions

KINDS = ('int', 'text', 'flag16', 'numtext', 'runid')


def select_items(t, rd):
    """A reader's items, from its table's columns: each read column once, in
    the columns' order but where read_after= moves one after another (None:
    first); a nested reader reads the entry's columns, and its parent's only
    to drop them. Each by its read form: its r= flag, or the reader's r=
    where a shared group's line does not fit. lead= and tail= items read no
    column of their own (a constant, a comment, a column read a second
    time)."""
    if 'select' in rd:
        raise Fail('%s: a reader takes its items from the columns (r=, read_after=), not a select list' % t.name)
    forms = rd.get('r', {})
    for name in forms:
        if name not in t.by_name:
            raise Fail('%s: the reader\'s r= names %r, which is no column' % (t.name, name))

    def read(c):
        if forms.get(c.name) == 'unread':
            return False
        if rd.get('_nested'):  # the entry's columns; the parent's only when dropped
            return (c.entry or forms.get(c.name, c.read).startswith('-')) and not c.unread
        return c.name != 'ndlversion' and not c.unread

    cols = [c for c in t.cols if read(c)]
    if 'select_order' in rd:
        raise Fail('%s: a reader\'s order is the columns\', with read_after= where it is not' % t.name)
    by_name = {c.name: c for c in cols}
    moved = set()
    for name, after in rd.get('read_after', []):
        for n in (name, after):
            if n is not None and n not in by_name:
                raise Fail('%s: read_after names %r, which is no column it reads' % (t.name, n))
        if name in moved or name == after:
            raise Fail('%s: read_after moves %s twice, or after itself' % (t.name, name))
        moved.add(name)
        cols.remove(by_name[name])
        cols.insert(0 if after is None else cols.index(by_name[after]) + 1, by_name[name])
    return list(rd.get('lead', [])) + [c.item(forms.get(c.name)) for c in cols] + list(rd.get('tail', []))


def reader_cols(t, rd):
    """The select items of a reader: (comment) or (expr, kind, copy, target, rec, field)."""
    select = select_items(t, rd)
    rec = rd['_rec']
    items = []
    for tok in select:
        if tok.startswith('//'):
            items.append(tok)
            continue
        dropped = tok.startswith('-')
        tok = tok.lstrip('-')
        flip = tok.startswith('~')
        tok = tok.lstrip('~')
        kind = None
        m = re.match(r'^(.*):(\w+)$', tok)
        if m and m.group(2) in KINDS:
            tok, kind = m.group(1), m.group(2)
        if '=' in tok:
            name, expr = tok.split('=', 1)
        elif tok.endswith('?0'):
            name = tok[:-2]
            expr = 'NVL(%s,0)' % name
        elif tok.endswith('?'):
            name = tok[:-1]
            expr = "NVL(%s,'IS NULL')" % name
        else:
            name = expr = tok
        col = t.by_name.get(name)
        if col is None and not dropped:
            raise Fail('%s: the reader selects %r, which is no column' % (t.name, name))
        if kind is None:
            kind = 'int' if col is not None and col.number else 'text'
        copy = 'loc' if "'IS NULL'" in expr else 'plain'
        if flip:
            copy = 'plain' if copy == 'loc' else 'loc'
        if kind != 'text':
            copy = 'plain'  # only a text takes "IS NULL" for empty
        target = 1 if (col is not None and col.entry and rec == t.rec) else 0
        frec = t.entry if target else rec
        items.append((expr, kind, copy, target, None if dropped else frec, None if dropped else name))
    return items


def writer_vals(t):
    """The writer's values in INSERT order, and the placeholders it expects."""
    vals, marks = [], []
    for c in t.cols:
        w = c.w
        if w is not None and w.startswith("'"):
            marks.append(w)
            continue
        rec = t.entry if c.entry else t.rec
        level = 1 if c.entry else 0
        if w in ('pos', 'qosseq'):
            vals.append(('V_' + w.upper(), 'int'))
        elif c.name == 'networkid' and w is None:
            vals.append(('V_NETID', 'int'))
        elif c.name == 'ndlversion' and w is None:
            vals.append(('V_VERSION', 'int'))
        else:
            field = w or c.name
            kind = 'I' if c.number else 'S'
            vals.append(('V%s_%s(%s, %s)' % ('N' if level else 'O', kind, rec, field), 'int' if c.number else 'text'))
        if c.quoted and not c.number:
            raise Fail('%s.%s: only a number is quoted' % (t.name, c.name))
        marks.append("'%d'" if c.quoted else '%d' if c.number else "'%s'")
    return vals, marks


def check_format(t, fmt, vals, marks, with_entry=True):
    """Every placeholder of `fmt` takes the next value, of its kind: a format
    with one "%s" too many would read past the values."""
    got = re.findall(r"%[a-z]", fmt)
    kinds = [('%d' if v[1] == 'int' else '%s') for v in vals]
    if not with_entry:
        kinds = [k for k, v in zip(kinds, vals) if not v[0].startswith('VN_')]
    if got != kinds:
        raise Fail('%s: the INSERT %r takes %s, the columns give %s' % (t.name, fmt, got, kinds))
    for m in marks:
        if m.startswith("'") and '%' not in m and m not in fmt:
            raise Fail('%s: the INSERT lacks the constant %s' % (t.name, m))


def insert_text(t, wd, marks, empty=False):
    """The INSERT text, one placeholder per column in the columns' order;
    spacing= keeps a table's own spacing: the text before a column's
    placeholder where it is not "," (after the "(" for the first), and
    before the ")" by the key ")". insert_empty=True: the entry's columns
    empty, for a record without entries."""
    if 'insert' in wd:
        raise Fail('%s: the INSERT text is made from the columns (spacing=), not written out' % t.name)
    spacing = wd.get('spacing', {})
    for name in spacing:
        if name != ')' and name not in t.by_name:
            raise Fail('%s: spacing= names %r, which is no column' % (t.name, name))
    out = []
    for i, (c, m) in enumerate(zip(t.cols, marks)):
        if empty and c.entry:
            if c.number:
                raise Fail('%s.%s: an entry column left empty is a text' % (t.name, c.name))
            m = "''"
        out.append(spacing.get(c.name, '' if i == 0 else ',') + m)
    return 'INSERT INTO %s VALUES (%s%s)' % (t.name, ''.join(out), spacing.get(')', ''))


def descriptions():
    out = ['// Generated by tools/tablegen/gen_tables.py from tools/tablegen/tables.py;\n'
           '// edit the declaration instead.\n']
    readers, writers, exported = [], [], []
    out.append('\nnamespace {\n\n// ---------------------------------------------------------------- readers\n')
    for t in TABLES:
        if t.read is None:
            continue
        rd = dict(t.read.kw)
        nested = rd.pop('nested', False)
        rd['_rec'] = t.entry if nested else rd.get('rec', t.rec)
        rd['_nested'] = nested
        name = rd.get('name', 'k_r_' + t.name.lower())
        readers.append(name)
        out.append('\nconst column_desc %s_cols[] = {\n' % name)
        for it in reader_cols(t, rd):
            if isinstance(it, str):
                out.append('    %s\n' % it)
                continue
            expr, kind, copy, target, frec, field = it
            fld = 'FIELD(%s, %s)' % (frec, field) if field else 'kNoField'
            out.append('    {%s, col_%s, copy_%s, %d, %s},\n' % (c_string(expr), kind, copy, target, fld))
        out.append('};\n')
        label = rd.get('label', t.name.capitalize())
        lst = rd.get('list', None if nested else t.list)
        form = rd.get('form', 'filling' if t.versioned else 'returning')
        out.append('const reader_desc %s = {%s, COLS(%s_cols), %s, %s, RECORD(%s), %s, %s, form_%s, %s};\n' % (
            name, c_string(rd.get('table', t.name.lower())), name,
            'true' if rd.get('versioned', t.versioned) else 'false', c_opt(rd.get('order')), rd['_rec'],
            c_string(label), c_string(rd.get('fetch_label', label)), form,
            'RLIST(%s, %s)' % (rd['_rec'], lst) if lst else 'kNoList'))
    out.append('\n// ---------------------------------------------------------------- writers\n')
    for t in TABLES:
        if t.write is None:
            continue
        wd = t.write.kw
        name = wd.get('name', 'k_w_' + t.name.lower())
        vals, marks = writer_vals(t)
        insert = insert_text(t, wd, marks)
        check_format(t, insert, vals, marks)
        insert_empty = insert_text(t, wd, marks, empty=True) if wd.get('insert_empty') else None
        if insert_empty:
            check_format(t, insert_empty, vals, marks, with_entry=False)
        dele = wd.get('delete', None if t.versioned else 'DELETE %s WHERE networkid=%%d' % t.name)
        comment = wd.get('comment', None if t.versioned else '-- Delete %s\n' % t.name.lower())
        out.append('\nconst value_desc %s_vals[] = {%s};\n' % (name, ', '.join(v[0] for v in vals)))
        sub = 'SUBLIST(%s, %s, %s)' % (t.rec, t.sub, t.entry) if t.sub else 'kNoSublist'
        if wd.get('exported'):  # defined below, outside this unit's own names
            exported.append((name, '{%s, %s, %s, %s, %s, VALS(%s_vals), LIST(%s, %s), %s}' % (
                c_string(wd.get('label', 'table ' + t.name)), c_opt(dele), c_opt(comment), c_string(insert),
                c_opt(insert_empty), name, t.rec, t.list, sub)))
            continue
        writers.append(name)
        out.append('const writer_desc %s = {%s, %s, %s, %s, %s, VALS(%s_vals), LIST(%s, %s), %s};\n' % (
            name, c_string(wd.get('label', 'table ' + t.name)), c_opt(dele), c_opt(comment), c_string(insert),
            c_opt(insert_empty), name, t.rec, t.list, sub))
    out.append('\n}  // namespace\n')
    for name, body in exported:
        out.append('\nconst writer_desc %s = %s;\n' % (name, body))
    out.append('\nconst reader_desc *const kAllReaders[] = {\n%s};\n' % ''.join('    &%s,\n' % r for r in readers))
    out.append('const size_t kAllReadersCount = std::size(kAllReaders);\n')
    out.append('\nconst writer_desc *const kAllWriters[] = {\n%s};\n' % ''.join('    &%s,\n' % w for w in writers))
    out.append('const size_t kAllWritersCount = std::size(kAllWriters);\n')
    return ''.join(out)


def reader_name(t):
    return t.read.kw.get('name', 'k_r_' + t.name.lower())


def writer_name(t):
    return t.write.kw.get('name', 'k_w_' + t.name.lower())


def steps(tables, kw_of, what):
    """The tables of one order by their step=, and the table each one's
    within= joins to its step."""
    by_name = {t.name: t for t in tables}
    ordered, joined = {}, {}
    for t in tables:
        kw = kw_of(t)
        if 'within' in kw:
            parent = by_name.get(kw['within'])
            if parent is None or 'step' not in kw_of(parent) or 'step' in kw or 'routine' in kw:
                raise Fail('%s: its %s within= names no table with a step, or it has a step of its own' % (t.name, what))
            if parent.name in joined:
                raise Fail('%s: the %s step of %s joins one table only' % (t.name, what, parent.name))
            joined[parent.name] = t
        elif 'step' not in kw:
            raise Fail('%s: its %s has no step= (nor within=)' % (t.name, what))
        elif kw['step'] in ordered:
            raise Fail('%s: %s step %d is %s\'s too' % (t.name, what, kw['step'], ordered[kw['step']].name))
        else:
            ordered[kw['step']] = t
    return [ordered[k] for k in sorted(ordered)], joined


def orders(env):
    """The section readers' orders and the writers' order, by the tables'
    read and write steps."""
    out = ['\nnamespace {\n\n// ---------------------------------------------------------------- orders\n']
    sections = env['READ_SECTIONS']
    readable = [t for t in TABLES if t.read is not None]
    for name, groups in sections:
        tables = [t for t in readable if t.release in groups]
        ordered, joined = steps(tables, lambda t: t.read.kw, 'reader')
        out.append('\nconst read_step k%sSteps[] = {\n' % name)
        for t in ordered:
            child = joined.get(t.name)
            out.append('    {&%s, %s, %s},\n' % (reader_name(t), '&' + reader_name(child) if child else 'nullptr',
                                               t.read.kw.get('routine', 'nullptr')))
        out.append('};\n')
    lost = [t.name for t in readable if not any(t.release in groups for _, groups in sections)]
    if lost:
        raise Fail('%s: read in no section of READ_SECTIONS' % ', '.join(lost))
    out.append('\n}  // namespace\n\nconst read_section kSections[%d] = {\n' % len(sections))
    for name, groups in sections:
        out.append('    {k%sSteps, std::size(k%sSteps)},\n' % (name, name))
    out.append('};\n\nconst write_step kWriteOrder[] = {\n')
    ordered, joined = steps([t for t in TABLES if t.write_step is not None], lambda t: t.write_step.kw, 'writer')
    for t in ordered:
        kw = t.write_step.kw
        if t.write is None and 'routine' not in kw:
            raise Fail('%s: a table written without a description is written by its routine=' % t.name)
        # An exported writer's routine reaches its description by name.
        first = 'nullptr' if t.write is None or t.write.kw.get('exported') else '&' + writer_name(t)
        second = joined.get(t.name)
        out.append('    {%s, %s, %s, %s},\n' % (
            c_string(kw.get('step_name', kw.get('routine', 'print_' + t.name.lower()))), first,
            '&' + writer_name(second) if second else 'nullptr', kw.get('routine', 'nullptr')))
    out.append('};\nconst size_t kWriteOrderCount = std::size(kWriteOrder);\n')
    return ''.join(out)


# ---------------------------------------------------------------- records

def stored_fields():
    """Every record's stored fields, in the order the tables first name them:
    those its reader fills and those its writer writes."""
    recs = {}
    writes_other = []

    def add(rec, field, col, t):
        fields = recs.setdefault(rec, {})
        if col.number:
            ctype = 'uint16_t' if col.width == 'uint16_t' else 'int32_t'
        elif col.width is None:
            raise Fail('%s.%s: a text kept in %s needs its width' % (t.name, col.name, rec))
        else:
            ctype = 'text_field<%s>' % col.width
        if fields.get(field, ctype) != ctype:
            raise Fail('%s.%s: %s::%s is %s elsewhere' % (t.name, col.name, rec, field, fields[field]))
        fields[field] = ctype

    for t in TABLES:
        if t.read is not None:
            rd = dict(t.read.kw)
            rd['_rec'] = t.entry if rd.get('nested') else rd.get('rec', t.rec)
            rd['_nested'] = rd.get('nested', False)
            for it in reader_cols(t, rd):
                if not isinstance(it, str) and it[5]:
                    add(it[4], it[5], t.by_name[it[5]], t)
        if t.write is not None:
            for c in t.cols:
                if c.w and (c.w.startswith("'") or c.w in ('pos', 'qosseq')):
                    continue
                if c.name in ('networkid', 'ndlversion') and not c.w:
                    continue
                if c.w:  # another column's field
                    writes_other.append((t, c))
                    continue
                add(t.entry if c.entry else t.rec, c.name, c, t)
    for t, c in writes_other:
        if c.w not in recs.get(t.entry if c.entry else t.rec, {}):
            raise Fail('%s.%s: the writer writes %s, which no column keeps' % (t.name, c.name, c.w))
    return recs


def record_sections(env):
    """The section whose header declares each record: that of its tables
    (records=, else their release group's in RECORD_SECTIONS), and of each
    unstored list."""
    sections = {}

    def put(rec, section, what):
        if section not in env['RECORD_SECTIONS'].values():
            raise Fail('%s: its records go to %r, a section of no RECORD_SECTIONS' % (what, section))
        if sections.setdefault(rec, section) != section:
            raise Fail('%s: %s is a record of %s, and of %s elsewhere' % (what, rec, section, sections[rec]))

    for t in TABLES:
        section = t.records or env['RECORD_SECTIONS'].get(t.release)
        for rec in (t.rec, t.entry):
            if rec:
                put(rec, section, t.name)
    for name, rec, release in UNSTORED:
        put(rec, env['RECORD_SECTIONS'].get(release), name)
    return sections


def records_by_hand(env):
    """The records that the section headers of the source tree declare by
    hand (core/records_SECTION.h): those with fields of their own beside the
    stored ones, each in its own section's header."""
    names = {}
    core = os.path.join(HERE, '..', '..', 'core')
    for section in sorted(set(env['RECORD_SECTIONS'].values())):
        with open(os.path.join(core, 'records_%s.h' % section)) as f:
            for rec in re.findall(r'^struct (\w+) \{', f.read(), re.M):
                names[rec] = section
    return names


def record_header(section):
    return 'core/records_%s_stored.h' % section


def records(env):
    """Each section's header of generated records: the stored fields of its
    records, the records that its hand header does not declare, and its
    list heads."""
    recs = stored_fields()
    sections = record_sections(env)
    by_hand = records_by_hand(env)
    for rec, section in by_hand.items():
        if sections.get(rec, section) != section:
            raise Fail('%s is declared by hand in core/records_%s.h, but is a record of %s'
                       % (rec, section, sections[rec]))
    tables_of = {}
    for t in TABLES:
        for rec in (t.rec, t.entry):
            if rec:
                tables_of.setdefault(rec, []).append(t.name)
    lists = run_lists(env)
    files = {}
    for section in sorted(set(env['RECORD_SECTIONS'].values())):
        guard = 'NDL_CORE_RECORDS_%s_STORED_H' % section.upper()
        out = ['// Generated by tools/tablegen/gen_tables.py from tools/tablegen/tables.py;\n'
               '// edit the declaration instead.\n'
               '//\n'
               '// The %s records\' stored fields, as their tables declare them: a\n'
               '// record that core/records_%s.h declares by hand, with fields of its\n'
               '// own, writes NDL_STORED(its type) where they stand among them; every\n'
               '// other record is its stored fields and its link, declared here. Then\n'
               '// the section\'s list heads, filled by the blocks and the readers and\n'
               '// released by their group (core/release.cpp).\n'
               '#ifndef %s\n#define %s\n\n'
               '#include "records_common.h"\n' % (section, section, guard, guard)]
        for rec, fields in recs.items():
            if sections[rec] != section:
                continue
            lines = ['#define NDL_STORED_%s' % rec] + ['    %s %s;' % (ctype, f) for f, ctype in fields.items()]
            width = max(len(l) for l in lines) + 1
            out.append('\n' + ' \\\n'.join(l.ljust(width) if i < len(lines) - 1 else l
                                              for i, l in enumerate(lines)) + '\n')
        for rec in recs:
            if sections[rec] == section and rec not in by_hand:
                out.append('\nstruct %s {  // %s\n    NDL_STORED(%s)\n    %s *next;\n};\n'
                           % (rec, ', '.join(tables_of[rec]), rec, rec))
        mine = [l for l in lists if sections[l[1]] == section]
        out.append('\n')
        for rec in sorted(set(l[1] for l in mine)):
            out.append('struct %s;\n' % rec)
        out.append('\n')
        for name, rec, sub, release in mine:
            out.append('extern record_list<%s> %s;\n' % (rec, name))
        out.append('\n#endif\n')
        files[record_header(section)] = ''.join(out)
    return files


# ---------------------------------------------------------------- lists

def run_lists(env):
    """Every list head of a run: (name, record type, sub-list field, group)."""
    lists = {}  # name -> [record type, sub-list field, group]; the tables sharing a list agree
    for t in TABLES:
        if not t.list:
            continue
        if t.release not in env['RELEASE_GROUPS']:
            raise Fail('%s: release= names no group of RELEASE_GROUPS' % t.name)
        l = lists.setdefault(t.list, [t.rec, t.sub, t.release])
        if l[0] != t.rec or l[2] != t.release or (t.sub and l[1] not in (None, t.sub)):
            raise Fail('%s: its list %s is declared otherwise by another table' % (t.name, t.list))
        l[1] = l[1] or t.sub
    for name, rec, release in UNSTORED:
        lists[name] = [rec, None, release]
    return [(name, rec, sub, release) for name, (rec, sub, release) in lists.items()]


def releases(env):
    out = ['// Generated by tools/tablegen/gen_tables.py from tools/tablegen/tables.py;\n'
           '// edit the declaration instead.\n\n']
    lists = run_lists(env)
    for name, rec, sub, release in lists:
        out.append('record_list<%s> %s;\n' % (rec, name))
    out.append('\nnamespace {\n')
    for grp in env['RELEASE_GROUPS']:
        out.append('\nvoid release_%s() {\n' % grp.lower())
        for name, rec, sub, release in lists:
            if release == grp:
                out.append('    free_list(%s%s);\n' % (name, ', &%s::%s' % (rec, sub) if sub else ''))
        out.append('}\n')
    out.append('\n// "ALL" releases the groups in this order.\nconst group groups[] = {\n')
    for grp in env['RELEASE_GROUPS']:
        out.append('    {%s, release_%s},\n' % (c_string(grp), grp.lower()))
    out.append('};\n\n}  // namespace\n')
    return ''.join(out)


def older_layout():
    out = ['// Generated by tools/tablegen/gen_tables.py from tools/tablegen/tables.py;\n'
           '// edit the declaration instead.\n\n']
    out.append('// Tables of the library\'s layout that the older one lacks.\n')
    out.append('const char *const kAbsentTables[] = {%s};\n\n' % ', '.join(
        c_string(t.name) for t in TABLES if t.note == 'versioned only'))
    out.append('// Columns the older layout lacks; its readers take an empty value instead.\n')
    out.append('const absent_column kAbsentColumns[] = {\n')
    for t in TABLES:
        for c in t.cols:
            if c.versioned_only:
                out.append('    {%s, %s},\n' % (c_string(t.name), c_string(c.name)))
    out.append('};\n\n')
    out.append('// Rows that end earlier than at the version value: the values they keep.\n')
    out.append('const shorter_row kShorterRows[] = {\n')
    for t in TABLES:
        if t.write is None or t.note == 'versioned only':
            continue
        names = [c.name for c in t.cols]
        first = next((i for i, c in enumerate(t.cols) if c.versioned_only or c.name == 'ndlversion'), None)
        version = names.index('ndlversion') if t.versioned else len(names)
        if first is not None and first < version:
            out.append('    {%s, %d},\n' % (c_string(t.name), first))
    out.append('};\n\n')
    digits = [(t, i) for t in TABLES for i, c in enumerate(t.cols) if c.older_type]
    if len(digits) != 1 or not digits[0][0].cols[digits[0][1]].older_type.startswith('NUMBER'):
        raise Fail('the older layout writes one text column as a number (older_layout.cpp), not %d' % len(digits))
    out.append('// %s\'s %s is a number column there.\n' % (digits[0][0].name, digits[0][0].cols[digits[0][1]].name))
    out.append('constexpr const char *kFilterList = %s;\n' % c_string(digits[0][0].name))
    out.append('constexpr size_t kFilterListStart = %d;  // among its values\n\n' % digits[0][1])
    out.append('// The DELETE texts and load-file comments that are not the plain ones.\n')
    out.append('const delete_text kDeleteTexts[] = {\n')
    for t in TABLES:
        wd = t.write.kw if t.write else {}
        if 'older_delete' in wd or 'older_comment' in wd:
            out.append('    {%s, %s, %s},\n' % (c_string(t.name), c_opt(wd.get('older_delete')), c_opt(wd.get('older_comment'))))
    out.append('};\n')
    return ''.join(out)


def generate(env):
    """Every file the declaration makes, by its path below the source tree."""
    files = {
        'database/schema.sql': schema_sql(env),
        'database/version_indexes.sql': version_indexes_sql(env),
        'database/tables.inc': descriptions() + orders(env),
        'database/older_layout.inc': older_layout(),
        'core/release.inc': releases(env),
    }
    files.update(records(env))
    return files


def main():
    if len(sys.argv) != 2:
        sys.exit('usage: gen_tables.py ROOT | --list')
    env = load(os.path.join(HERE, 'tables.py'))
    try:
        files = generate(env)
    except Fail as e:
        sys.exit('gen_tables.py: %s' % e)
    if sys.argv[1] == '--list':
        print('\n'.join(files))
        return
    for name, text in files.items():
        path = os.path.join(sys.argv[1], name)
        os.makedirs(os.path.dirname(path), exist_ok=True)
        with open(path, 'w') as f:
            f.write(text)


if __name__ == '__main__':
    main()

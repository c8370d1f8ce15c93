# The stored tables, each declared once: its columns in their stored order
# (the order of the writers' INSERT values), the width of each text in its
# record, its reader and its writer, its key, and where the older,
# unversioned layout (cfgload's) differs, and the group its list is released
# with. tools/tablegen/gen_tables.py makes database/schema.sql,
# database/version_indexes.sql, database/tables.inc (the reader and writer
# descriptions), database/older_layout.inc, core/records_SECTION_stored.h
# (a section's records' stored fields, the whole of every record that
# core/records_SECTION.h does not declare by hand, and the section's list
# heads) and core/release.inc (the lists' release) from it: run scripts/regen.sh after a
# change (it runs the generator and remakes what follows from it), and
# commit what it writes.
#
# A column is one line: name, SQL type, width, flags (two spaces or more
# between them). The width is that of the record's text field: N (kName),
# T (kText), a number, or - for a number or a column no record keeps.
# Flags:
#   entry           the field is the entry's (the sub-list record's)
#   versioned-only  the older layout lacks the column
#   older=TYPE      the older layout's type where it differs
#   w=VALUE         the writer's value where it is not the field of the
#                   column's name: pos (the entry's position), qosseq (the
#                   list number), 'TEXT' (a constant in the INSERT) or the
#                   name of the field written instead
#   quoted          a number the INSERT writes quoted ('%d')
#   unread          the reader does not select the column
#   r=FORM          how the reader selects it (the last flag; it may hold
#                   spaces): ? (NVL(NAME,'IS NULL')), ?0 (NVL(NAME,0)),
#                   =EXPR (the expression EXPR), a leading - drops the
#                   value, a leading ~ turns the "IS NULL" rule of a text
#                   the other way, :flag16 :numtext :runid set its kind
# networkid is written as the run's network, ndlversion as its version.
#
# table(NAME, cols, rec=record type, list=its list head, entry=, sub= (the
# entry's record type and the record's sub-list field), key=(index group,
# index suffix, key columns after networkid), before= (schema text before
# the table), note=, pad= (the schema's column alignment), release= (the
# group of RELEASE_GROUPS its list is released with), records= (the section
# of its records where it is not its release group's), read=, write=)
#
# Both statements are made from the columns, so a new column is its line
# alone. read(): the select is every column but ndlversion and those
# unread, each by its r= form, in the columns' order; nested=True (read
# into the entry record, by a routine of its own) reads the entry's columns
# and those whose form drops them. read_after=[(NAME, OTHER), ...] reads
# NAME right after OTHER (None: first) where the select's order is not the
# columns', each move in turn, a column moved once. r={NAME: FORM} gives a column of a shared group the form it takes
# in this reader ('unread': not selected); lead= and tail= are items before
# and after the columns' that read no column of their own (a constant
# "-='TEXT'", a comment "// ...", a column read a second time). Also name=,
# table=, label=, fetch_label=, versioned=, order=, form=, list=.
# write(): the INSERT takes one placeholder per column in their order;
# spacing={NAME: TEXT} keeps a table's own spacing (the text before a
# column's placeholder where it is not ",", after the "(" for the first
# column; ")" names the text before the closing parenthesis);
# insert_empty=True (a second INSERT for a record without entries, the
# entry's columns empty), delete=, comment=, label=, name=, older_delete=,
# older_comment=, exported=True (a writer of its own routine, outside
# kAllWriters, which the routine reaches by name: its step hands it none),
# described=False (no description: the routine writes the table whole).
#
# Order: the readers of a section (READ_SECTIONS) run in the order of their
# read(step=N), the writers in the order of their write(step=N); the order
# decides the statements' order, and so the load files and messages. Steps
# go in tens, so a new table takes a free number between its neighbours.
# Both take routine= (the routine the step runs instead of the generic
# reader or writer, with the description); write() takes step_name= (the
# step's name where it is not the routine's nor "print_" and the table's).
# A table read or written in another table's step says within=TABLE instead
# of step=: its reader is handed to that step's routine (the nested reader),
# its writer runs second in that step.
#
# group(NAME, cols): columns several tables keep in the same order, with
# their flags; a table's columns name them by a line "@NAME" ("~@NAME":
# the "IS NULL" rule of their bare texts the other way).

SCHEMA_HEAD = """\
-- The repository, versioned layout: what cfgproc reads and writes.
-- Column order is the writers' INSERT value order (their INSERTs name no
-- columns); the readers select the same columns by name.
--
-- The older, unversioned layout that cfgload writes is derived from this
-- file when a repository is created (platform/oci/schema.cpp): it has no
-- ndlversion columns, no table, column or trigger marked "versioned only",
-- and the type that "older layout:" gives where the two differ.

"""

INDEX_GROUPS['instance'] = """\
-- The instances of one design value are found by it: the live-instance
-- counts of the loader's checks read only those rows.
"""
INDEX_GROUPS['sublist'] = """\
-- Sub-lists read back one query per parent record are found by the parent's
-- key, not by a walk of the whole table for each parent. Every column is one
-- the query fixes, so the rows of a parent come in the order they always did.
"""
TRIGGER_HEAD = """\
-- A policy version's rule rows live and die with its POLICYVERSIONS row:
-- a rewritten version never holds its rows twice, and initializing a
-- network leaves no older rules behind.
"""
VERSION_INDEX_HEAD = """\
-- The indexes of a repository that holds several policy versions or
-- several networks. A version's rows are read, replaced and deleted by
-- their network and version, and a repository that keeps its versions for
-- years reads only the version it asks for. The sub-lists read one query per
-- parent carry the parent's key too. A repository of one network with one
-- version has none of them: every row is that version's, and keeping them on
-- every insert cost its 30 MB load about 950 M of 6,960 M instructions.
-- They are made in the transaction that stores the second network or
-- version, or at logon when a repository holds several already.
"""
# The tables whose rows count the versions and the networks: the OCI layer
# reads them from the index text's marked lines, as it names no table.
VERSIONS_TABLE = 'POLICYVERSIONS'
NETWORKS_TABLE = 'NETWORKS'
NETWORK_INDEX_HEAD = """\
-- With several networks (not versions: in a repository of one network they
-- would be read instead of the table, every row of which matches), every
-- other table is read and deleted by its network through this index rather
-- than a walk of every network's rows.
"""

# The attributes of a VARIABLE, which six tables keep after its name.
group('VARIABLE', cols="""
    displayname           VARCHAR2(300)   T
    variabletype          VARCHAR2(300)   T
    updatestatus          VARCHAR2(300)   T
    isoptional            NUMBER(10)      -
    minvalue              NUMBER(10)      -     r=?0
    maxvalue              NUMBER(10)      -     r=?0
    defaultvalue          VARCHAR2(300)   T     r=?
    listname              VARCHAR2(300)   T     r=?
    variablevalue         VARCHAR2(300)   T     r=?
    uniquec               VARCHAR2(300)   T     r=?
""")

# The head of the multicast tables: a node's entry and its policy context.
group('MULTICAST', cols="""
    networkid             NUMBER(10)      -     r=-
    domainname            VARCHAR2(300)   N
    nodetype              VARCHAR2(300)   N
    sequence              NUMBER(10)      -
    context1              VARCHAR2(300)   T     r=?
    context2              VARCHAR2(300)   T     r=?
    context3              VARCHAR2(300)   T     r=?
""")

# The head of the QoS rule tables: the node, the rule's owner and usages, its policy context (the usages are read where each table reads them).
group('QOSRULE', cols="""
    networkid             NUMBER(10)      -     r=-
    domainname            VARCHAR2(300)   T
    nodetype              VARCHAR2(300)   T
    owner                 VARCHAR2(300)   T
    usage1                VARCHAR2(300)   T
    usage2                VARCHAR2(300)   T
    context1              VARCHAR2(300)   T     r=?
    context2              VARCHAR2(300)   T     r=?
    context3              VARCHAR2(300)   T     r=?
""")

table('NETWORKS', rec='network_rec', list='prnetwork', release='TOPOLOGY', before='', pad=16,
      cols="""
    networkid             NUMBER(10) NOT NULL PRIMARY KEY  -
    networkname           VARCHAR2(30) NOT NULL  N
    organization          VARCHAR2(300)   T
    address               VARCHAR2(300)   T
    city                  VARCHAR2(300)   T
    country               VARCHAR2(300)   T
    networkzonename       VARCHAR2(300)   T
    exportedzonename      VARCHAR2(300)   T
    securitygroup         VARCHAR2(300)   T
""",
      read=read(step=10, name='k_r_network', label='networks'),
      # Written by its own routine (writer.cpp), which reaches the description by name.
      write=write(step=10, routine='print_network', name='k_w_networks', exported=True,
                  delete='DELETE NETWORKS WHERE networkid=%d', comment='-- Delete network\n'))

table('PROJECT', pad=11,
      cols="""
    networkid             NUMBER(10) NOT NULL  -
    version               NUMBER(10) NOT NULL  -
    state                 VARCHAR2(30)    -
    description           VARCHAR2(300)   -
    revision              NUMBER(10)      -
    owner                 VARCHAR2(30)    -
    created               DATE            -
    modified              DATE            -
    locked                NUMBER(10)      -
    remarks               VARCHAR2(300)   -
""")

table('POLICYVERSIONS', note='versioned only', pad=10,
      cols="""
    networkid             NUMBER(10) NOT NULL  -
    ndlversion            NUMBER(10) NOT NULL  -
    remarks               VARCHAR2(300)   -
""",
      write=write(step=20, routine='print_policyversions', described=False))

table('LISTVALUES', rec='list_value_rec', list='prlistvalues', release='TOPOLOGY', before='\n-- Stored network: topology, customer, routing, policy and QoS tables.\n\n',
      cols="""
    networkid             NUMBER(10)      -
    listname              VARCHAR2(300)   N
    elementvalue          VARCHAR2(300)   T
""",
      read=read(step=30),
      write=write(step=30))

table('VALIDINTBANDWIDTH', rec='valid_int_bandwidth_rec', list='prvalidintbandwidth', release='TOPOLOGY', note='versioned only',
      cols="""
    networkid             NUMBER(10)      -
    interfacetype         VARCHAR2(300)   N
    bandwidth             VARCHAR2(300)   T
""",
      read=read(step=50, table='VALIDINTBANDWIDTH', label='VALIDINTBANDWIDTH'),
      write=write(step=40))

table('DOMAIN', rec='domain_rec', list='prdomains', release='TOPOLOGY',
      cols="""
    networkid             NUMBER(10)      -
    domainname            VARCHAR2(300)   N
""",
      read=read(step=20, name='k_r_domains'),
      write=write(step=50, delete='DELETE DOMAIN WHERE networkid=%d\n'))

table('DOMAINVARIABLES', rec='domain_variable_rec', list='prdomainvariables', release='TOPOLOGY',
      cols="""
    networkid             NUMBER(10)      -
    domainname            VARCHAR2(300)   N
    sequence              NUMBER(10)      -
    variablename          VARCHAR2(300)   T     r=~
    ~@VARIABLE
""",
      read=read(step=60),
      write=write(step=60, spacing={'sequence': ', '}))

table('DOMAINNODES', rec='domain_node_rec', list='prdomainnodes', release='TOPOLOGY',
      cols="""
    networkid             NUMBER(10)      -
    domainname            VARCHAR2(300)   N
    nodetype              VARCHAR2(300)   N
    nodeidstart           NUMBER(10)      -
    maxnode               NUMBER(10)      -
    minnode               NUMBER(10)      -
    hostname              VARCHAR2(300)   T     r=?
    devicetype            VARCHAR2(300)   T
    iscpe                 NUMBER(10)      -
    remoteaccess          NUMBER(10)      -
    remoteaddrtype        VARCHAR2(300)   T
    natinside             NUMBER(10)      -
    nataddrtype           VARCHAR2(300)   T
    routedprotocols       NUMBER(10)      -
    controller            NUMBER(10)      -
""",
      read=read(step=80, read_after=[('maxnode', 'minnode')]),
      write=write(step=70, spacing={'maxnode': ', ', 'devicetype': ', ', 'remoteaccess': ' , ', 'remoteaddrtype': ', ', 'nataddrtype': ', '}))

table('DOMAINNODEVARS', rec='domain_node_var_rec', list='prdomainnodevars', release='TOPOLOGY',
      cols="""
    networkid             NUMBER(10)      -
    domainname            VARCHAR2(300)   N
    nodetype              VARCHAR2(300)   N
    sequence              NUMBER(10)      -
    variablename          VARCHAR2(300)   N
    ~@VARIABLE
""",
      read=read(step=90, read_after=[('nodetype', 'uniquec')]),
      write=write(step=80, spacing={'sequence': ', ', 'variablename': ', '}))

table('DOMAINSERVICES', rec='domain_service_rec', list='prdomainservices', release='TOPOLOGY',
      cols="""
    networkid             NUMBER(10)      -
    domainname            VARCHAR2(300)   N
    nodetype              VARCHAR2(300)   N
    servicename           VARCHAR2(300)   N
    sourceaddress         VARCHAR2(300)   T     r=?
""",
      read=read(step=100, name='k_r_domainservice'),
      write=write(step=90, step_name='print_domainservice', spacing={'servicename': ', ', 'sourceaddress': ', '}))

table('DOMAINCONNECTIONS', rec='domain_connection_rec', list='prdomainconnections', release='TOPOLOGY',
      cols="""
    networkid             NUMBER(10)      -
    domainname1           VARCHAR2(300)   N
    domainname2           VARCHAR2(300)   N
    conntype              VARCHAR2(300)   N
    maxconn               NUMBER(10)      -
    minconn               NUMBER(10)      -
""",
      read=read(step=110),
      write=write(step=100, spacing={'conntype': ', ', 'maxconn': ', ', 'minconn': ', '}))

table('DOMAINFIXEDCONN', rec='domain_fixed_conn_rec', list='prdomainfixedconn', release='TOPOLOGY',
      cols="""
    networkid             NUMBER(10)      -
    connectionno          NUMBER(10)      -
    domainname            VARCHAR2(300)   N
    nodetype              VARCHAR2(300)   N
    nattype               VARCHAR2(300)   N
    authserver            VARCHAR2(300)   N     r=?
    minconn               NUMBER(10)      -
    maxconn               NUMBER(10)      -
    secondaryip           NUMBER(10)      -     r=?0
""",
      read=read(step=120),
      write=write(step=110, comment='-- Delete domainfixedconns\n', spacing={'minconn': ', ', 'maxconn': ', '}))

table('DOMAININTNAMES', rec='domain_int_name_rec', list='prdomainintnames', release='TOPOLOGY',
      cols="""
    networkid             NUMBER(10)      -     r=-
    connectionno          NUMBER(10)      -
    domainname            VARCHAR2(300)   N
    nodetype              VARCHAR2(300)   N
    instanceno            NUMBER(10)      -
    interfacename         VARCHAR2(300)   N
""",
      read=read(step=130, label='domainintnames'),
      write=write(step=120, spacing={'instanceno': ', ', 'interfacename': ', '}))

table('DOMAINCONNVARS', rec='domain_conn_var_rec', list='prdomainconnvars', release='TOPOLOGY',
      cols="""
    networkid             NUMBER(10)      -
    connectionno          NUMBER(10)      -
    sequence              NUMBER(10)      -
    variablename          VARCHAR2(300)   T
    ~@VARIABLE
""",
      read=read(step=70),
      write=write(step=130))

table('DOMAINCONNTYPES', rec='domain_conn_type_rec', list='prdomainconntypes', release='TOPOLOGY',
      cols="""
    networkid             NUMBER(10)      -     r=-
    connectionno          NUMBER(10)      -
    connectionname        VARCHAR2(300)   T
    connectionscope       VARCHAR2(300)   T
    connectiontype        VARCHAR2(300)   T
    networktypes          NUMBER(10)      -
    addresstype           VARCHAR2(300)   T
    prefix                VARCHAR2(300)   T     r=~
    valcheck              VARCHAR2(300)   N
    maxconn               NUMBER(10)      -
""",
      read=read(step=140),
      write=write(step=140, spacing={'connectiontype': ', ', 'networktypes': ', ', 'addresstype': ', '}))

table('DOMAININSTVARS', rec='domain_inst_var_rec', list='prdomaininstancevars', release='TOPOLOGY',
      cols="""
    networkid             NUMBER(10)      -     r=-
    connectionname        VARCHAR2(300)   T
    sequenceno            NUMBER(10)      -
    variablename          VARCHAR2(300)   T
""",
      read=read(step=170, name='k_r_domaininstancevars'),
      write=write(step=150, step_name='print_domaininstancevars', comment='-- Delete domaininstancevars\n', spacing={'sequenceno': ', ', 'variablename': ', '}))

table('DOMAINREMOTETYPES', rec='domain_remote_type_rec', list='prdomainremotetypes', release='TOPOLOGY',
      cols="""
    networkid             NUMBER(10)      -     r=-
    connectionno          NUMBER(10)      -
    peruser               NUMBER(10)      -
    isdn                  NUMBER(10)      -
    async                 NUMBER(10)      -
    dialout               NUMBER(10)      -
    dialin                NUMBER(10)      -
""",
      read=read(step=150),
      write=write(step=160, spacing={'peruser': ', ', 'isdn': ', '}))

table('DOMAININTTYPES', rec='domain_int_type_rec', list='prdomaininttypes', release='TOPOLOGY',
      cols="""
    networkid             NUMBER(10)      -     r=-
    connectionno          NUMBER(10)      -
    interfacetype         VARCHAR2(300)   N
    encapsulationtype     VARCHAR2(300)   N
    isauthenticated       NUMBER(10)      -
    subinterface          NUMBER(10)      -
    authenticationtype    VARCHAR2(300)   N     r=?
    conntype              VARCHAR2(300)   N     r==NVL(conntype, 'IS NULL')
""",
      read=read(step=160),
      write=write(step=170, spacing={'interfacetype': ', ', 'encapsulationtype': ', '}))

table('HSRPMEMBER', rec='hsrp_member_rec', list='prhsrpmember', release='TOPOLOGY',
      cols="""
    networkid             NUMBER(10)      -
    connectionno          NUMBER(10)      -
    sequenceno            NUMBER(10)      -
    domainname            VARCHAR2(300)   N
    nodetype              VARCHAR2(300)   N
    subsequenceno         NUMBER(10)      -
    trackinterface        VARCHAR2(300)   T     r=?
    trackpriority         NUMBER(10)      -     r=?0
""",
      read=read(step=180),
      write=write(step=180, spacing={'sequenceno': ', ', 'domainname': ', ', 'nodetype': ', ', 'trackinterface': ', '}))

table('HSRPCONNECTIONS', rec='hsrp_connection_rec', list='prhsrpconnections', release='TOPOLOGY',
      cols="""
    networkid             NUMBER(10)      -
    connectionno          NUMBER(10)      -
    sequenceno            NUMBER(10)      -
    addresstype           VARCHAR2(300)   N
    authenticated         NUMBER(10)      -
    subsequenceno         NUMBER(10)      -
    hsrppriority          VARCHAR2(300)   300   r=?
""",
      read=read(step=190),
      write=write(step=190, spacing={'sequenceno': ', ', 'addresstype': ', '}))

table('DOMAINCONNFILTERS', rec='domain_conn_filter_rec', list='prdomconnfilters', release='TOPOLOGY',
      cols="""
    networkid             NUMBER(10)      -
    connectionno          NUMBER(10)      -
    sequence              NUMBER(10)      -
    variablename          VARCHAR2(300)   T
""",
      read=read(step=340),
      write=write(step=200, spacing={'connectionno': ', ', 'sequence': ', ', 'variablename': ', '}))

table('IPADDRESSPOOLS', rec='ip_address_pool_rec', list='praddresspools', release='TOPOLOGY',
      cols="""
    networkid             NUMBER(10)      -
    addresspoolname       VARCHAR2(300)   T
    protocoltype          VARCHAR2(300)   30
    startaddress          VARCHAR2(300)   N
    endaddress            VARCHAR2(300)   N
""",
      read=read(step=200),
      write=write(step=210, spacing={'protocoltype': ', ', 'startaddress': ', '}))

table('ADDRESSASSIGN', rec='address_assign_rec', list='praddressassign', release='TOPOLOGY',
      cols="""
    networkid             NUMBER(10)      -
    namedpointtype        NUMBER(10)      -
    namedendpoint         VARCHAR2(300)   T
    addresspoolname       VARCHAR2(300)   T
    sequence              NUMBER(10)      -
    scope                 VARCHAR2(300)   T     r=?
    offset                VARCHAR2(300)   T     r=?
    ipaddress             VARCHAR2(300)   T     r=?
    poolname              VARCHAR2(300)   T     r=?
    servicetype           VARCHAR2(300)   T     r=?
    hosttype              VARCHAR2(300)   T     r=?
    nattype               VARCHAR2(300)   T     r=?
    poolowner             VARCHAR2(300)   T     r=?
    poolownervar          VARCHAR2(300)   T     r=?
    poolclass             VARCHAR2(300)   T     versioned-only r=?
""",
      read=read(step=210),
      write=write(step=220, spacing={'namedpointtype': ', ', 'namedendpoint': ', ', 'addresspoolname': ', ', 'scope': ', '}))

table('ADDRESSDEPENDENCY', rec='address_dependency_rec', list='praddressdependency', release='TOPOLOGY',
      cols="""
    networkid             NUMBER(10)      -
    namedpointtype        NUMBER(10)      -
    namedendpoint         VARCHAR2(300)   T
    addresspoolname       VARCHAR2(300)   N
    sequence              NUMBER(10)      -
    variablename          VARCHAR2(300)   N
    minvalue              NUMBER(10)      -     r=:numtext
    maxvalue              NUMBER(10)      -     r=:numtext
""",
      read=read(step=220),
      write=write(step=230, spacing={'namedpointtype': ', ', 'namedendpoint': ', ', 'addresspoolname': ', ', 'variablename': ' ,', 'maxvalue': ', '}))

table('DOMAINNODECONNBKP', rec='domain_node_conn_bkp_rec', list='prdomainnodeconnbkp', release='TOPOLOGY',
      cols="""
    networkid             NUMBER(10)      -
    domainname            VARCHAR2(300)   N
    nodetype              VARCHAR2(300)   N
    scope                 VARCHAR2(300)   N
    connectionname        VARCHAR2(300)   T
    backupconnname        VARCHAR2(300)   T
""",
      read=read(step=230),
      write=write(step=240, spacing={'domainname': ', ', 'nodetype': ', ', 'scope': ', ', 'backupconnname': ', '}))

table('DOMAINNODELOGINT', rec='domain_node_log_int_rec', list='prdomainnodelogint', release='TOPOLOGY',
      cols="""
    networkid             NUMBER(10)      -
    domainname            VARCHAR2(300)   N
    nodetype              VARCHAR2(300)   N
    devicetype            VARCHAR2(300)   N
    inttype               VARCHAR2(300)   N
    intno                 VARCHAR2(300)   30
    addresstype           VARCHAR2(300)   T
    prefix                NUMBER(10)      -
    dependency            VARCHAR2(300)   N
    valcheck              VARCHAR2(300)   N
""",
      read=read(step=240, read_after=[('inttype', 'valcheck')]),
      write=write(step=250, spacing={'domainname': ', ', 'nodetype': ', ', 'devicetype': ', ', 'addresstype': ', '}))

table('NETWORKVARS', rec='network_var_rec', list='prnetworkvars', release='TOPOLOGY',
      cols="""
    networkid             NUMBER(10)      -
    sequence              NUMBER(10)      -
    variablename          VARCHAR2(300)   N
    variabletype          VARCHAR2(300)   T
    variablevalue         VARCHAR2(300)   T
""",
      read=read(step=280),
      write=write(step=530, spacing={'sequence': ', '}))

table('APSMEMBER', rec='aps_member_rec', list='prconnapsdatalist', release='TOPOLOGY',
      cols="""
    networkid             NUMBER(10)      -     r=-
    connectionno          NUMBER(10)      -
    domainname            VARCHAR2(300)   N
    nodetype              VARCHAR2(300)   N
    interfacemode         NUMBER(10)      -
""",
      read=read(step=320, read_after=[('interfacemode', 'connectionno')], name='k_r_connapsmember'),
      write=write(step=560, step_name='print_connapsdata'))

table('SERVICETYPENAMES', rec='service_type_name_rec', list='prservicetypenames', release='TOPOLOGY',
      cols="""
    networkid             NUMBER(10)      -
    servicetype           VARCHAR2(300)   N
    servicename           VARCHAR2(300)   N
""",
      read=read(step=260),
      write=write(step=600, comment='-- Delete servicenametypes\n', spacing={'servicetype': ', '}))

table('SERVICETYPES', rec='service_type_rec', list='prservicetypes', release='TOPOLOGY',
      cols="""
    networkid             NUMBER(10)      -
    servicetype           VARCHAR2(300)   N
    hosttype              VARCHAR2(300)   N
""",
      read=read(step=250),
      write=write(step=610, spacing={'servicetype': ', '}))

table('SERVICETYPEVARS', rec='service_type_var_rec', list='prservicetypevars', release='TOPOLOGY',
      cols="""
    networkid             NUMBER(10)      -
    servicetype           VARCHAR2(300)   N
    sequence              NUMBER(10)      -
    variablename          VARCHAR2(300)   N
    @VARIABLE
""",
      read=read(step=270),
      write=write(step=620, spacing={'servicetype': ', ', 'sequence': ', '}))

table('POOLTYPES', rec='pool_type_rec', list='prpooltypes', release='TOPOLOGY',
      cols="""
    networkid             NUMBER(10)      -
    servicetype           VARCHAR2(300)   N
    hosttype              VARCHAR2(300)   N
    poolowner             VARCHAR2(300)   T
    validation            VARCHAR2(300)   N
""",
      read=read(step=290),
      write=write(step=630, spacing={'servicetype': ', ', 'poolowner': ', '}))

table('COMPOOLTYPES', rec='com_pool_type_rec', list='prpooltypemap', release='TOPOLOGY',
      cols="""
    networkid             NUMBER(10)      -
    servicetype           VARCHAR2(300)   N
    communicationtype     VARCHAR2(300)   T
    hosttype              VARCHAR2(300)   N
    addressmode           VARCHAR2(300)   T
""",
      read=read(step=300, read_after=[('communicationtype', 'hosttype')], name='k_r_pooltypemap'),
      write=write(step=640, step_name='print_pooltypemap', spacing={'servicetype': ', ', 'hosttype': ', '}))

table('POOLSEQUENCE', rec='pool_sequence_rec', list='prpoolsequence', release='TOPOLOGY',
      cols="""
    networkid             NUMBER(10)      -
    servicetype           VARCHAR2(300)   N
    poolowner             VARCHAR2(300)   N
    hosttype              VARCHAR2(300)   N
    sequence              NUMBER(10)      -
    variablename          VARCHAR2(300)   N
""",
      read=read(step=310, read_after=[('poolowner', 'hosttype')]),
      write=write(step=650, spacing={'servicetype': ', ', 'sequence': ', ', 'variablename': ' ,'}))

table('POOLCLASS', rec='pool_class_rec', list='prpoolclass', release='TOPOLOGY',
      cols="""
    networkid             NUMBER(10)      -
    name                  VARCHAR2(300)   N
    value                 VARCHAR2(300)   N
    isdefault             NUMBER(10)      -
    isshared              NUMBER(10)      -     versioned-only
""",
      read=read(step=350),
      write=write(step=660, step_name='print_poolclasses', spacing={'name': ', ', 'isdefault': ', ', 'isshared': ', '}))

table('POOLCLASSMAPPING', rec='pool_class_mapping_rec', list='prpoolclassmap', release='CUSTOMER',
      cols="""
    networkid             NUMBER(10)      -
    conntypename          VARCHAR2(300)   T
    roletype              VARCHAR2(300)   N
    hosttype              VARCHAR2(300)   N
    nattype               VARCHAR2(300)   N
    poolclass             VARCHAR2(300)   N
    enrollforall          NUMBER(10)      -
""",
      read=read(step=120, name='k_r_poolclassmap'),
      write=write(step=670, step_name='print_poolclassmap'))

table('SYSTEMLISTVALUES', rec='system_list_rec', entry='system_list_elem_rec', sub='elemlist', list='pr_systemlist', release='TOPOLOGY',
      cols="""
    networkid             NUMBER(10)      -     r=-
    listname              VARCHAR2(300)   T
    displayname           VARCHAR2(300)   T     entry
    elementvalue          VARCHAR2(300)   T     entry
""",
      read=read(step=330, routine='read_systemlist', order='ORDER BY networkid,listname'),
      write=write(step=680, delete='DELETE SYSTEMLISTVALUES  WHERE networkid=%d'))

table('VCCLASS', rec='vc_class_rec', list='prlogconntypes', release='TOPOLOGY',
      cols="""
    networkid             NUMBER(10)      -     r=-
    connectionno          NUMBER(10)      -
    connectionname        VARCHAR2(300)   T
    encapsulationtype     VARCHAR2(300)   T
    connectiontype        VARCHAR2(300)   N
    pathmode              VARCHAR2(300)   T
    pathtype              VARCHAR2(300)   N
    scope                 VARCHAR2(300)   N
    maxconn               NUMBER(10)      -
    isauthenticated       NUMBER(10)      -     quoted
""",
      read=read(step=360),
      write=write(step=820, spacing={'connectionno': ', '}))

table('VCMEMBERFILTERS', rec='vc_member_filter_rec', list='prvcconnfilters', release='TOPOLOGY',
      cols="""
    networkid             NUMBER(10)      -     r=-
    connectionno          NUMBER(10)      -
    sequence              NUMBER(10)      -
    variablename          VARCHAR2(300)   T
""",
      read=read(step=380, name='k_r_vcconnfilters'),
      write=write(step=830, step_name='print_vcconnfilters', spacing={'connectionno': ', ', 'sequence': ', ', 'variablename': ', '}))

table('VCMEMBERCLASS', rec='vc_member_class_rec', list='prvcmembers', release='TOPOLOGY',
      cols="""
    networkid             NUMBER(10)      -     r=-
    connectionno          NUMBER(10)      -
    sequence              NUMBER(10)      -
    domainname            VARCHAR2(300)   N
    nodetype              VARCHAR2(300)   N
    minconn               NUMBER(10)      -
    maxconn               NUMBER(10)      -
    membertype            VARCHAR2(300)   T
    interface             VARCHAR2(300)   T     r=?
    connectionname        VARCHAR2(300)   T     r=?
    tunnelsource          VARCHAR2(300)   T     r=?
""",
      read=read(step=370, name='k_r_vcmembers'),
      write=write(step=840, step_name='print_vcmembers', spacing={'networkid': ' ', 'connectionno': ', '}))

table('GLOBALLISTVARS', rec='global_list_var_rec', list='prgloballistvars', release='TOPOLOGY', note='versioned only',
      cols="""
    networkid             NUMBER(10)      -     r=-
    listid                VARCHAR2(300)   32
    sequence              NUMBER(10)      -
    variablename          VARCHAR2(300)   T
""",
      read=read(step=40, label='GlobalListvars'),
      write=write(step=980))

table('CUSTCONNTYPES', rec='cust_conn_type_rec', list='prcustconntypes', release='CUSTOMER',
      cols="""
    networkid             NUMBER(10)      -
    servicetype           VARCHAR2(300)   N     r=~
    conntypename          VARCHAR2(300)   N     r=~
    connectto             VARCHAR2(300)   T     r=?
    scope1                VARCHAR2(300)   T     r=?
    scope2                VARCHAR2(300)   T     r=?
    scope3                VARCHAR2(300)   T     r=?
    domainname            VARCHAR2(300)   T     r=?
    addressmode           VARCHAR2(300)   T     r=~=NVL(addressmode,'AUTOMATIC')
    routingenabled        NUMBER(10)      -     r=?0
    directconnect         NUMBER(10)      -     r=?0
    custsitetype          VARCHAR2(300)   N
""",
      read=read(step=20),
      write=write(step=540, spacing={'conntypename': ', ', 'scope3': ', ', 'domainname': ' ,'}))

table('CUSTCONNQOSPOLICY', rec='cust_conn_type_rec', entry='cust_conn_qos_policy_rec', sub='qospolicylist', list='prcustconntypes', release='CUSTOMER', key=('sublist', 'conntype', 'servicetype conntypename'),
      cols="""
    networkid             NUMBER(10)      -     r=-
    servicetype           VARCHAR2(300)   N     r=-
    conntypename          VARCHAR2(300)   N     r=-
    sequence              NUMBER(10)      -     w=qosseq r=-
    qospolicylistname     VARCHAR2(300)   T     entry r=~
    policyname            VARCHAR2(300)   T     entry r=~
""",
      read=read(step=30, routine='read_custqospolicies', name='k_r_custconnqospolicies', order='ORDER BY networkid,servicetype,conntypename,sequence', nested=True),
      write=write(within='CUSTCONNTYPES', spacing={'conntypename': ', '}))

table('CUSTCONNADDRTYPES', rec='cust_conn_addr_type_rec', list='prcustconnaddrtypes', release='CUSTOMER',
      cols="""
    networkid             NUMBER(10)      -     r=-
    servicetype           VARCHAR2(300)   N     r=~
    conntypename          VARCHAR2(300)   N     r=~
    sequence              NUMBER(10)      -
    addrtype              VARCHAR2(300)   T     r=?
""",
      read=read(step=40, name='k_r_custaddrtypes'),
      write=write(step=550))

table('CUSTCONNNODES', rec='cust_conn_node_rec', list='prcustconnnodes', release='CUSTOMER',
      cols="""
    networkid             NUMBER(10)      -
    servicetype           VARCHAR2(300)   N     r=~
    conntypename          VARCHAR2(300)   N     r=~
    nodetype              VARCHAR2(300)   T     r=?
    noofnodeinstance      NUMBER(10)      -     r=?0
""",
      read=read(step=60),
      write=write(step=570, spacing={'servicetype': ', '}))

table('CUSTCONNNODESLB', rec='cust_conn_node_rec', entry='cust_conn_node_lb_rec', sub='loopbacklist', list='prcustconnnodes', release='CUSTOMER', key=('sublist', 'node', 'servicetype conntypename nodetype'),
      cols="""
    networkid             NUMBER(10)      -     r=-
    servicetype           VARCHAR2(300)   N     r=-
    conntypename          VARCHAR2(300)   N     r=-
    nodetype              VARCHAR2(300)   T     r=-
    nodeinstance          NUMBER(10)      -     entry
    loopbacktype          VARCHAR2(300)   30    entry
    isloopback            NUMBER(10)      -     entry
    lbinstance            VARCHAR2(300)   30    entry
""",
      read=read(step=70, routine='read_custloopbacks', read_after=[('isloopback', 'lbinstance'), ('loopbacktype', 'isloopback')], name='k_r_custconnnodesloopback', order='ORDER BY networkid,servicetype,conntypename,nodetype', nested=True),
      write=write(within='CUSTCONNNODES', comment='-- Delete CUSTCONNNODESLB\n', spacing={'servicetype': ', '}))

table('CUSTCONNINTERFACES', rec='cust_conn_interface_rec', list='prcustconninterfaces', release='CUSTOMER',
      cols="""
    networkid             NUMBER(10)      -
    servicetype           VARCHAR2(300)   N     r=~
    conntypename          VARCHAR2(300)   N     r=~
    nodetype              VARCHAR2(300)   T     r=~
    nodeinstance          NUMBER(10)      -
    connectionname        VARCHAR2(300)   T     r=~
    instanceno            NUMBER(10)      -
    interfacetype         VARCHAR2(300)   T     r=~
    encapsulationtype     VARCHAR2(300)   T     r=~
    remotedomain          VARCHAR2(300)   T     r=?
    remotenodetype        VARCHAR2(300)   T     r=?
""",
      read=read(step=50, read_after=[('instanceno', 'networkid'), ('nodeinstance', 'instanceno')]),
      write=write(step=580, spacing={'conntypename': ', ', 'connectionname': ', ', 'instanceno': ', ', 'interfacetype': ' ,'}))

table('CUSTVARS', rec='cust_var_rec', list='prcustvars', release='CUSTOMER',
      cols="""
    networkid             NUMBER(10)      -
    servicetype           VARCHAR2(300)   N     r=~
    conntypename          VARCHAR2(300)   N     r=~
    sequence              NUMBER(10)      -     r=:numtext
    variablename          VARCHAR2(300)   N     r=~
    ~@VARIABLE
""",
      # Its stored sequence is read after the defaults: the statement's text
      # keeps that order.
      read=read(step=10, read_after=[('sequence', 'defaultvalue')]),
      write=write(step=590, spacing={'servicetype': ', ', 'conntypename': ', ', 'sequence': ', '}))

table('CUSTNODEVARS', rec='cust_node_var_rec', list='prcustnodevars', release='CUSTOMER',
      cols="""
    networkid             NUMBER(10)      -     r=:runid
    servicetype           VARCHAR2(300)   N
    conntypename          VARCHAR2(300)   T
    nodetype              VARCHAR2(300)   T
    nodeinstance          NUMBER(10)      -
    variablename          VARCHAR2(300)   T
    variablevalue         VARCHAR2(300)   T
""",
      read=read(step=80),
      write=write(step=770))

table('CUSTCONNVARS', rec='cust_conn_var_rec', list='prcustconnvars', release='CUSTOMER',
      cols="""
    networkid             NUMBER(10)      -     r=:runid
    servicetype           VARCHAR2(300)   N
    conntypename          VARCHAR2(300)   T
    nodetype              VARCHAR2(300)   T
    nodeinstance          NUMBER(10)      -
    connectionname        VARCHAR2(300)   T
    instanceno            NUMBER(10)      -
    variablename          VARCHAR2(300)   T
    variablevalue         VARCHAR2(300)   T
""",
      read=read(step=90),
      write=write(step=780))

table('CUSTCONNHSRPVARS', rec='cust_conn_hsrp_var_rec', list='prcusthsrpvars', release='CUSTOMER',
      cols="""
    networkid             NUMBER(10)      -     r=:runid
    servicetype           VARCHAR2(300)   N
    conntypename          VARCHAR2(300)   T
    nodetype              VARCHAR2(300)   T
    nodeinstance          NUMBER(10)      -
    connectionname        VARCHAR2(300)   T
    instanceno            NUMBER(10)      -
    sequenceno            NUMBER(10)      -
    variablename          VARCHAR2(300)   T
    variablevalue         VARCHAR2(300)   T
""",
      read=read(step=100, name='k_r_custhsrpvars', fetch_label='Custhsrpvars'),
      write=write(step=790, step_name='print_custhsrpvars'))

table('CUSTCONNFILTERS', rec='cust_conn_filter_rec', list='prcustconnfilters', release='CUSTOMER',
      cols="""
    networkid             NUMBER(10)      -     r=:runid
    servicetype           VARCHAR2(300)   N
    conntypename          VARCHAR2(300)   T
    nodetype              VARCHAR2(300)   T
    nodeinstance          NUMBER(10)      -
    connectionname        VARCHAR2(300)   T
    instanceno            NUMBER(10)      -
    remotevariablename    VARCHAR2(300)   T
    remotevarcondition    VARCHAR2(300)   T
""",
      read=read(step=110, form='filling'),
      write=write(step=800))

table('DOMAINSTATICROUTE', rec='domain_static_route_rec', list='prdomainstaticroute', release='ROUTING',
      cols="""
    networkid             NUMBER(10)      -
    domainname            VARCHAR2(300)   N
    nodetype              VARCHAR2(300)   N
    protocol              VARCHAR2(300)   N     r=~
    addrno                NUMBER(10)      -
    context1              VARCHAR2(300)   T     r=?
    context2              VARCHAR2(300)   T     r=?
    context3              VARCHAR2(300)   T     r=?
    sourceaddr            VARCHAR2(300)   T
    sourcemask            NUMBER(10)      -     r=?:numtext
    destination           VARCHAR2(300)   T     r=~
    weight                VARCHAR2(300)   N     r=?
    ndlversion            NUMBER(10)      -
""",
      read=read(step=210),
      write=write(step=260, spacing={'domainname': ', ', 'nodetype': ', ', 'protocol': ', ', 'context1': ' ,'}))

table('DOMAINPROTOCOLS', rec='domain_protocol_rec', list='prdomainprotocols', release='ROUTING',
      cols="""
    networkid             NUMBER(10)      -
    domainname            VARCHAR2(300)   N
    nodetype              VARCHAR2(300)   N
    protocol              VARCHAR2(300)   N
    asn                   VARCHAR2(300)   T
    mandatory             VARCHAR2(300)   N
    routerid              VARCHAR2(300)   T     r=?
    clusterid             VARCHAR2(300)   T     r=?
    usagecondition        VARCHAR2(300)   T     r==NVL(usagecondition, 'IS NULL')
    ndlversion            NUMBER(10)      -
""",
      read=read(step=10),
      write=write(step=270, spacing={'domainname': ', ', 'nodetype': ', ', 'protocol': ', ', 'mandatory': ', ', 'clusterid': ', ', 'usagecondition': ', '}))

table('DOMAINPASSIVEINT', rec='domain_passive_int_rec', list='prdomainpassiveint', release='ROUTING',
      cols="""
    networkid             NUMBER(10)      -
    domainname            VARCHAR2(300)   N
    nodetype              VARCHAR2(300)   N
    protocol              VARCHAR2(300)   N
    asn                   VARCHAR2(300)   T
    interfacename         VARCHAR2(300)   T
    ndlversion            NUMBER(10)      -
""",
      read=read(step=230, form='returning'),
      write=write(step=280, spacing={'domainname': ', ', 'nodetype': ', ', 'protocol': ', ', 'interfacename': ' ,'}))

table('DOMAINADDRSUMMARY', rec='domain_addr_summary_rec', list='prdomainaddrsummary', release='ROUTING',
      cols="""
    networkid             NUMBER(10)      -
    domainname            VARCHAR2(300)   N
    nodetype              VARCHAR2(300)   N
    protocol              VARCHAR2(300)   N
    asn                   VARCHAR2(300)   T
    summary               VARCHAR2(300)   T
    prefix                NUMBER(10)      -
    tag                   VARCHAR2(300)   T     r=?
    ndlversion            NUMBER(10)      -
""",
      read=read(step=20),
      write=write(step=290, spacing={'domainname': ', ', 'nodetype': ', ', 'protocol': ', ', 'prefix': ', ', 'tag': ', '}))

table('DOMAINBGPNETWORK', rec='domain_bgp_network_rec', list='prdomainbgpnetwork', release='ROUTING',
      cols="""
    networkid             NUMBER(10)      -
    domainname            VARCHAR2(300)   N
    nodetype              VARCHAR2(300)   N
    protocol              VARCHAR2(300)   N
    asn                   VARCHAR2(300)   T
    networkno             NUMBER(10)      -
    networkaddr           VARCHAR2(300)   T
    networkmask           NUMBER(10)      -     r==NVL(networkmask,-1)
    routemapname          VARCHAR2(300)   T     r=?
    ndlversion            NUMBER(10)      -
""",
      read=read(step=30),
      write=write(step=300, spacing={'domainname': ', ', 'nodetype': ', ', 'protocol': ', ', 'networkaddr': ', '}))

table('DOMAINREDIST', rec='domain_redist_rec', list='prdomainredist', release='ROUTING',
      cols="""
    networkid             NUMBER(10)      -
    domainname            VARCHAR2(300)   N
    nodetype              VARCHAR2(300)   N
    protocol              VARCHAR2(300)   N
    asn                   VARCHAR2(300)   T
    redistprotocol        VARCHAR2(300)   N
    redistasn             VARCHAR2(300)   T
    metric                VARCHAR2(300)   T     r=?
    metrictype            VARCHAR2(300)   T     r=?
    route_map             VARCHAR2(300)   T     r=?
    tag                   VARCHAR2(300)   T     r=?
    weight                VARCHAR2(300)   T     r=?
    match                 VARCHAR2(300)   T     r=?
    ndlversion            NUMBER(10)      -
    context1              VARCHAR2(300)   T     versioned-only r=?
    context2              VARCHAR2(300)   T     versioned-only r=?
    context3              VARCHAR2(300)   T     versioned-only r=?
    sequence              NUMBER(10)      -     versioned-only
""",
      read=read(step=60),
      write=write(step=310, spacing={'domainname': ', ', 'nodetype': ', ', 'protocol': ', ', 'redistprotocol': ' ,'}))

table('DOMAINOSPFDEFAULT', rec='domain_ospf_default_rec', list='prdomainospfdefault', release='ROUTING',
      cols="""
    networkid             NUMBER(10)      -
    domainname            VARCHAR2(300)   N
    nodetype              VARCHAR2(300)   N
    protocol              VARCHAR2(300)   N
    asn                   VARCHAR2(300)   T
    metric                VARCHAR2(300)   T     r=?
    metrictype            VARCHAR2(300)   T     r=?
    routemap              VARCHAR2(300)   T     r=?
    ndlversion            NUMBER(10)      -
""",
      read=read(step=70, tail=['// tag, weight and match: fetched and dropped; the table keeps only the', '// nine columns its writer stores, so constants stand in for them.', "-='IS NULL'", "-='IS NULL'", "-='IS NULL'"], name='k_r_ospfdefault'),
      write=write(step=320, spacing={'domainname': ', ', 'nodetype': ', ', 'protocol': ', ', 'metric': ' ,'}))

# Its record also holds the RIP and EIGRP protocol entries of the block parsers.
table('DOMAINNODEAREAS', rec='domain_node_area_rec', list='prdomainnodeareas', release='ROUTING',
      cols="""
    networkid             NUMBER(10)      -
    domainname            VARCHAR2(300)   N
    nodetype              VARCHAR2(300)   N
    routingprotocol       VARCHAR2(300)   N
    routedprotocol        VARCHAR2(300)   N
    asn                   VARCHAR2(300)   T
    areaid                VARCHAR2(300)   T
    sequenceno            NUMBER(10)      -
    summaryaddr           VARCHAR2(300)   T     r=?
    summarmask            NUMBER(10)      -     r=?0
    stubtype              VARCHAR2(300)   N     r=?
    ndlversion            NUMBER(10)      -
""",
      read=read(step=40),
      write=write(step=330, spacing={'domainname': ', ', 'nodetype': ', ', 'routingprotocol': ', ', 'areaid': ', '}))

table('DOMAINNODEAREARANGES', rec='domain_node_area_range_rec', list='prdomainnodearearanges', release='ROUTING',
      cols="""
    networkid             NUMBER(10)      -
    domainname            VARCHAR2(300)   N
    nodetype              VARCHAR2(300)   N
    routingprotocol       VARCHAR2(300)   N
    routedprotocol        VARCHAR2(300)   N
    asn                   VARCHAR2(300)   T
    areaid                VARCHAR2(300)   T
    sequenceno            NUMBER(10)      -
    subsequenceno         NUMBER(10)      -
    summaryaddr           VARCHAR2(300)   T     r=?
    summarmask            NUMBER(10)      -     r=?0
    ndlversion            NUMBER(10)      -
""",
      read=read(step=130, read_after=[('areaid', 'summarmask')]),
      write=write(step=340, spacing={'domainname': ', ', 'nodetype': ', ', 'routingprotocol': ', ', 'areaid': ', ', 'subsequenceno': ', '}))

table('DOMAINCONNAREAS', rec='domain_conn_area_rec', list='prdomainconnareas', release='ROUTING',
      cols="""
    networkid             NUMBER(10)      -
    domainname            VARCHAR2(300)   N
    nodetype              VARCHAR2(300)   N
    routingprotocol       VARCHAR2(300)   N
    routedprotocol        VARCHAR2(300)   N
    asn                   VARCHAR2(300)   T
    sequenceno            NUMBER(10)      -
    namedinterface        VARCHAR2(300)   T
    summaryaddr           VARCHAR2(300)   T     r=?
    summarmask            NUMBER(10)      -     r=?0
    authenticated         NUMBER(10)      -
    ndlversion            NUMBER(10)      -
""",
      read=read(step=50),
      write=write(step=350, spacing={'domainname': ', ', 'nodetype': ', ', 'routingprotocol': ', '}, older_delete='DELETE  DOMAINCONNAREAS WHERE networkid=%d'))

table('DOMAINDISTLIST', rec='domain_dist_list_rec', list='prdomaindistlist', release='ROUTING',
      cols="""
    networkid             NUMBER(10)      -
    domainname            VARCHAR2(300)   N
    nodetype              VARCHAR2(300)   N
    protocol              VARCHAR2(300)   N
    sequence              NUMBER(10)      -
    asn                   VARCHAR2(300)   T     r=?
    context1              VARCHAR2(300)   T     r=?
    context2              VARCHAR2(300)   T     r=?
    context3              VARCHAR2(300)   T     r=?
    listtype              NUMBER(10)      -
    acl                   VARCHAR2(300)   T
    direction             VARCHAR2(300)   N
    type                  NUMBER(10)      -     r=?0
    interfacename         VARCHAR2(300)   T
    redistprotocol        VARCHAR2(300)   T     r=?
    redistasn             VARCHAR2(300)   T     r=?
    ndlversion            NUMBER(10)      -
""",
      read=read(step=80, read_after=[('redistprotocol', 'asn'), ('redistasn', 'redistprotocol')]),
      write=write(step=360, spacing={'domainname': ', ', 'nodetype': ', ', 'protocol': ', '}))

table('DOMAINBGPADDRAGRR', rec='domain_bgp_addr_agrr_rec', list='prdomainbgpaddragrr', release='ROUTING',
      cols="""
    networkid             NUMBER(10)      -
    domainname            VARCHAR2(300)   N
    nodetype              VARCHAR2(300)   N
    networkno             NUMBER(10)      -
    networkaddr           VARCHAR2(300)   T
    networkprefix         NUMBER(10)      -
    asset                 NUMBER(10)      -
    summaryonly           NUMBER(10)      -
    advertisemap          VARCHAR2(300)   T     r=?
    supressmap            VARCHAR2(300)   T     r=?
    attributemap          VARCHAR2(300)   T     r=?
    context1              VARCHAR2(300)   T     versioned-only r=?
    context2              VARCHAR2(300)   T     versioned-only r=?
    context3              VARCHAR2(300)   T     versioned-only r=?
    ndlversion            NUMBER(10)      -
""",
      read=read(step=90),
      write=write(step=370, spacing={'domainname': ', ', 'nodetype': ', ', 'networkno': ', ', 'asset': ', ', 'summaryonly': ', ', 'advertisemap': ', '}))

table('DOMAINBGPPEER', rec='domain_bgp_peer_rec', list='prdomainbgppeer', release='ROUTING',
      cols="""
    networkid             NUMBER(10)      -
    domainname            VARCHAR2(300)   N
    nodetype              VARCHAR2(300)   N
    peername              VARCHAR2(300)   T
    updatesource          VARCHAR2(300)   T     r=?
    remoteas              VARCHAR2(300)   N     r=?
    passwordreqd          NUMBER(10)      -
    routemapin            VARCHAR2(300)   T     r=?
    routemapout           VARCHAR2(300)   T     r=?
    filterlistin          VARCHAR2(300)   T     r=?
    filterlistout         VARCHAR2(300)   T     r=?
    distlistin            VARCHAR2(300)   T     r=?
    distlistout           VARCHAR2(300)   T     r=?
    prefixlistin          VARCHAR2(300)   T     r=?
    prefixlistout         VARCHAR2(300)   T     r=?
    routereflector        NUMBER(10)      -     r=?0
    nexthopself           NUMBER(10)      -     r=?0
    weight                VARCHAR2(300)   T     r=?
    ebgp_multihop         VARCHAR2(300)   T     r=?
    defaultoriginate      NUMBER(10)      -     r=?0
    defaultoriginate_rm   VARCHAR2(300)   T     r=?
    sendcommunity         NUMBER(10)      -     r=?0
    ndlversion            NUMBER(10)      -
""",
      read=read(step=100),
      write=write(step=380, spacing={'domainname': ', ', 'nodetype': ', ', 'peername': ', '}))

table('DOMAINBGPINFO', rec='domain_bgp_info_rec', list='prdomainbgpinfo', release='ROUTING',
      cols="""
    networkid             NUMBER(10)      -
    domainname            VARCHAR2(300)   N
    nodetype              VARCHAR2(300)   N
    sequence              NUMBER(10)      -     r=?0
    neighbor              VARCHAR2(300)   T     r=?
    context1              VARCHAR2(300)   T     r=?
    context2              VARCHAR2(300)   T     r=?
    context3              VARCHAR2(300)   T     r=?
    updatesource          VARCHAR2(300)   T     r=?
    remoteas              VARCHAR2(300)   N     r=?
    passwordreqd          NUMBER(10)      -     r=?0
    routemapin            VARCHAR2(300)   T     r=?
    routemapout           VARCHAR2(300)   T     r=?
    filterlistin          VARCHAR2(300)   T     r=?
    filterlistout         VARCHAR2(300)   T     r=?
    distlistin            VARCHAR2(300)   T     r=?
    distlistout           VARCHAR2(300)   T     r=?
    prefixlistin          VARCHAR2(300)   T     r=?
    prefixlistout         VARCHAR2(300)   T     r=?
    routereflector        NUMBER(10)      -     r=?0
    nexthopself           NUMBER(10)      -     r=?0
    weight                VARCHAR2(300)   T     r=?
    ebgpmultihop          VARCHAR2(300)   T     r=?
    defaultoriginate      NUMBER(10)      -     r=?0
    defaultoriginate_rm   VARCHAR2(300)   T     r=?
    sendcommunity         NUMBER(10)      -     r=?0
    peername              VARCHAR2(300)   T     r=?
    ndlversion            NUMBER(10)      -
""",
      read=read(step=110, read_after=[('peername', 'nodetype'), ('context1', 'sendcommunity'), ('context2', 'context1'), ('context3', 'context2'), ('neighbor', 'context3'), ('sequence', 'neighbor')]),
      write=write(step=390, spacing={'domainname': ', ', 'nodetype': ', ', 'context3': ', '}))

table('DOMAINBGPPEERRULE', rec='domain_bgp_peer_rule_rec', list='prdomainbgppeerrule', release='ROUTING',
      cols="""
    networkid             NUMBER(10)      -
    domainname            VARCHAR2(300)   N
    nodetype              VARCHAR2(300)   N
    peername              VARCHAR2(300)   T
    variablename          VARCHAR2(300)   T
    variablevalue         VARCHAR2(300)   T
    ndlversion            NUMBER(10)      -
""",
      read=read(step=120),
      write=write(step=400, spacing={'domainname': ', ', 'nodetype': ', ', 'peername': ', '}))

table('DOMAINOFFSETLIST', rec='domain_offset_list_rec', list='prdomainoffsetlist', release='ROUTING',
      cols="""
    networkid             NUMBER(10)      -
    domainname            VARCHAR2(300)   N
    nodetype              VARCHAR2(300)   N
    protocol              VARCHAR2(300)   N
    sequence              NUMBER(10)      -
    context1              VARCHAR2(300)   T     r=?
    context2              VARCHAR2(300)   T     r=?
    context3              VARCHAR2(300)   T     r=?
    acl                   VARCHAR2(300)   T
    direction             VARCHAR2(300)   N
    offset                VARCHAR2(300)   N
    interfacename         VARCHAR2(300)   T     r=?
    ndlversion            NUMBER(10)      -
""",
      read=read(step=220),
      write=write(step=810, spacing={'domainname': ', ', 'nodetype': ', ', 'protocol': ', '}))

table('PIMRPCLASS', rec='pim_rp_class_rec', list='prpimrp', release='ROUTING',
      cols="""
    @MULTICAST
    mcastmode             VARCHAR2(300)   N     r=~
    rpaddress             VARCHAR2(300)   T     r=?
    rpacl                 VARCHAR2(300)   T     r=?
    ndlversion            NUMBER(10)      -
""",
      read=read(step=240, name='k_r_pimrp'),
      write=write(step=850, spacing={'domainname': ', ', 'nodetype': ', ', 'sequence': ', ', 'context2': ' ,'}, older_comment='-- Delete Pimrpclass\n'))

table('PIMACCEPTCLASS', rec='pim_accept_class_rec', list='prpimacceptrp', release='ROUTING',
      cols="""
    @MULTICAST
    acceptrpaddr          VARCHAR2(300)   T     r=?
    acceptrpacl           VARCHAR2(300)   T     r=?
    autorp                NUMBER(10)      -     r=?0
    ndlversion            NUMBER(10)      -
""",
      read=read(step=250, name='k_r_pimacceptrp', form='filling_status'),
      write=write(step=860, step_name='print_pimacceptrpclass', spacing={'domainname': ', ', 'nodetype': ', ', 'sequence': ', ', 'context2': ' ,'}, older_comment='-- Delete Pimacceptclass\n'))

table('PIMBSRCLASS', rec='pim_bsr_class_rec', list='prpimbsr', release='ROUTING',
      cols="""
    @MULTICAST
    bsrcandint            VARCHAR2(300)   T     r=?
    bsrcandmasklen        VARCHAR2(300)   T     r=?
    priority              VARCHAR2(300)   T     r=?
    ndlversion            NUMBER(10)      -
""",
      read=read(step=260, name='k_r_pimbsr', form='filling_status'),
      write=write(step=870, step_name='print_pimbsr', spacing={'domainname': ', ', 'nodetype': ', ', 'sequence': ', ', 'context2': ' ,'}, older_comment='-- Delete Pimbsrclass\n'))

table('PIMREGISTERCLASS', rec='pim_register_class_rec', list='prpimregister', release='ROUTING',
      cols="""
    networkid             NUMBER(10)      -     r=-
    domainname            VARCHAR2(300)   N
    nodetype              VARCHAR2(300)   N
    registersource        VARCHAR2(300)   T     r=?
    registerrate          VARCHAR2(300)   T     r=?
    acceptregisteracl     VARCHAR2(300)   T     r=?
    acceptregisterrate    VARCHAR2(300)   T     r=?
    ndlversion            NUMBER(10)      -
""",
      read=read(step=270, name='k_r_pimregister', form='filling_status'),
      write=write(step=880, step_name='print_pimregister', spacing={'nodetype': ' ,'}, older_comment='-- Delete Pimregisterclass\n'))

table('PIMMEMBERRATECLASS', rec='pim_member_rate_class_rec', list='prpimrate', release='ROUTING',
      cols="""
    networkid             NUMBER(10)      -     r=-
    domainname            VARCHAR2(300)   N
    nodetype              VARCHAR2(300)   N
    namedinterface        VARCHAR2(300)   T     r=?
    sequence              NUMBER(10)      -
    context1              VARCHAR2(300)   T     r=?
    context2              VARCHAR2(300)   T     r=?
    context3              VARCHAR2(300)   T     r=?
    direction             VARCHAR2(300)   N     r=?
    rate                  VARCHAR2(300)   T     r=?
    grouplist             VARCHAR2(300)   T     r=?
    sourcelist            VARCHAR2(300)   T     r=?
    ndlversion            NUMBER(10)      -
""",
      read=read(step=280, read_after=[('namedinterface', 'context3')], name='k_r_pimrate', form='filling_status'),
      write=write(step=890, step_name='print_pimrate', spacing={'domainname': ', ', 'nodetype': ', ', 'sequence': ', ', 'context2': ' ,'}, older_comment='-- Delete Pimmemberrateclass\n'))

table('PIMMEMBERCLASS', rec='pim_member_class_rec', list='prpimmember', release='ROUTING',
      cols="""
    @MULTICAST
    namedinterface        VARCHAR2(300)   T     r=?
    mcastmode             VARCHAR2(300)   N     r=?
    neighborfilter        VARCHAR2(300)   T     r=?
    inrate                VARCHAR2(300)   T     r=?
    boundaryacl           VARCHAR2(300)   T     r=?
    ndlversion            NUMBER(10)      -
""",
      read=read(step=290, name='k_r_pimmember', form='filling_status'),
      write=write(step=900, step_name='print_pimmember', spacing={'domainname': ', ', 'nodetype': ', ', 'context2': ' ,', 'boundaryacl': ', '}, older_comment='-- Delete Pimmemberclass\n'))

table('PIMRPFILTERCLASS', rec='pim_rp_filter_class_rec', list='prautorpfilter', release='ROUTING',
      cols="""
    @MULTICAST
    rpfilter              VARCHAR2(300)   T     r=?
    rpgroupfilter         VARCHAR2(300)   T     r=?
    ndlversion            NUMBER(10)      -
""",
      read=read(step=300, name='k_r_autorpfilter', form='filling_status'),
      write=write(step=910, step_name='print_autorpfilter', spacing={'domainname': ', ', 'nodetype': ', ', 'sequence': ', ', 'context2': ' ,'}, older_comment='-- Delete Pimrpfilterclass\n'))

table('PIMAUTORPCLASS', rec='pim_auto_rp_class_rec', list='prmappingagent', release='ROUTING',
      cols="""
    @MULTICAST
    discoverint           VARCHAR2(300)   T     r=?
    ndlversion            NUMBER(10)      -
""",
      read=read(step=310, name='k_r_mapppingagent', form='filling_status'),
      write=write(step=920, step_name='print_mappingagent', spacing={'domainname': ', ', 'nodetype': ', ', 'sequence': ', ', 'context2': ' ,'}, older_comment='-- Delete Pimautorpclass\n'))

table('MSDPCLASS', rec='msdp_class_rec', list='prmsdpclass', release='ROUTING',
      cols="""
    networkid             NUMBER(10)      -     r=-
    domainname            VARCHAR2(300)   N
    nodetype              VARCHAR2(300)   N
    redistacl             VARCHAR2(300)   T     r=?
    redistasnpathacl      VARCHAR2(300)   T     r=?
    redistroutemap        VARCHAR2(300)   T     r=?
    originatorid          VARCHAR2(300)   T     r=?
    borderasaddr          VARCHAR2(300)   T     r=?
    ndlversion            NUMBER(10)      -
""",
      read=read(step=320, form='filling_status'),
      write=write(step=930, spacing={'networkid': ' ', 'nodetype': ' ,', 'borderasaddr': ', '}, older_comment='-- Delete Msdpclass\n'))

table('MSDPNEIGHBORCLASS', rec='msdp_neighbor_class_rec', list='prmsdppeer', release='ROUTING',
      cols="""
    networkid             NUMBER(10)      -     r=-
    domainname            VARCHAR2(300)   N
    nodetype              VARCHAR2(300)   N
    sequence              NUMBER(10)      -
    neighbor              VARCHAR2(300)   T
    context1              VARCHAR2(300)   T     r=?
    context2              VARCHAR2(300)   T     r=?
    context3              VARCHAR2(300)   T     r=?
    connectsource         VARCHAR2(300)   T     r=?
    remoteas              VARCHAR2(300)   T     r=?
    description           VARCHAR2(300)   T     r=?
    safilterinacl         VARCHAR2(300)   T     r=?
    safilteroutacl        VARCHAR2(300)   T     r=?
    safilterinmap         VARCHAR2(300)   T     r=?
    safilteroutmap        VARCHAR2(300)   T     r=?
    defaultpeer           NUMBER(10)      -     r=?0
    defprefixlist         VARCHAR2(300)   T     r=?
    meshgroup             VARCHAR2(300)   T     r=?
    ndlversion            NUMBER(10)      -
""",
      read=read(step=330, name='k_r_msdppeer', form='filling_status'),
      write=write(step=940, step_name='print_msdppeer', spacing={'networkid': ' ', 'nodetype': ' ,', 'connectsource': ', '}, older_comment='-- Delete MsdpNEIGHBORCLASS\n'))

table('IGMPINTCLASS', rec='igmp_int_class_rec', list='prigmpmember', release='ROUTING',
      cols="""
    @MULTICAST
    namedinterface        VARCHAR2(300)   T     r=?
    accessgroup           VARCHAR2(300)   T     r=?
    ndlversion            NUMBER(10)      -
""",
      read=read(step=340, name='k_r_igmpmember', form='filling_status'),
      write=write(step=950, step_name='print_igmpmember', spacing={'networkid': ' ', 'nodetype': ' ,', 'accessgroup': ', '}, older_comment='-- Delete Igmpintclass\n'))

table('IGMPINTADDRCLASS', rec='igmp_int_addr_class_rec', list='prigmpgroup', release='ROUTING',
      cols="""
    networkid             NUMBER(10)      -     r=-
    domainname            VARCHAR2(300)   N
    nodetype              VARCHAR2(300)   N
    context1              VARCHAR2(300)   T     r=?
    context2              VARCHAR2(300)   T     r=?
    context3              VARCHAR2(300)   T     r=?
    namedinterface        VARCHAR2(300)   T     r=~
    sequence              NUMBER(10)      -
    addrtype              VARCHAR2(300)   T     r=~
    groupaddress          VARCHAR2(300)   T     r=~
    ndlversion            NUMBER(10)      -
""",
      read=read(step=350, read_after=[('namedinterface', 'sequence'), ('context1', 'groupaddress'), ('context2', 'context1'), ('context3', 'context2')], name='k_r_igmpgroup', form='filling_status'),
      write=write(step=960, step_name='print_igmpgroup', spacing={'networkid': ' ', 'nodetype': ' ,'}, older_comment='-- Delete Igmpintaddrclass\n'))

table('DVMRPINTCLASS', rec='dvmrp_int_class_rec', list='prdvmrpmember', release='ROUTING',
      cols="""
    @MULTICAST
    namedinterface        VARCHAR2(300)   T
    metric                VARCHAR2(300)   T     r=?
    metricacl             VARCHAR2(300)   T     r=?
    acceptfilter          VARCHAR2(300)   T     r=?
    neighborfilter        VARCHAR2(300)   T     r=?
    summaryaddr           VARCHAR2(300)   T     r=?
    summarymask           VARCHAR2(300)   T     r=?
    summarymetric         VARCHAR2(300)   T     r=?
    inoffset              VARCHAR2(300)   T     r=?
    outoffset             VARCHAR2(300)   T     r=?
    ndlversion            NUMBER(10)      -
""",
      read=read(step=360, read_after=[('namedinterface', 'sequence')], name='k_r_dvmrpmember', form='filling_status'),
      write=write(step=970, step_name='print_dvmrpmember', spacing={'networkid': ' ', 'nodetype': ' ,', 'metric': ', '}, older_comment='-- Delete DVMRPINTCLASS\n'))

table('DOMAINROUTEMAP', rec='domain_route_map_rec', list='prdomainroutemap', release='ROUTING', records='policy',
      cols="""
    networkid             NUMBER(10)      -
    domainname            VARCHAR2(300)   N
    nodetype              VARCHAR2(300)   N
    context1              VARCHAR2(300)   T     r=?
    context2              VARCHAR2(300)   T     r=?
    context3              VARCHAR2(300)   T     r=?
    routemap              VARCHAR2(300)   T
    usage                 VARCHAR2(300)   T
    owner                 VARCHAR2(300)   T
    sequence              NUMBER(10)      -     r=:numtext
    type                  VARCHAR2(300)   N
    repeatby              VARCHAR2(300)   T     r=?
    mapseqinc             NUMBER(10)      -
    ndlversion            NUMBER(10)      -
""",
      read=read(step=160),
      write=write(step=410))

table('ROUTEMAPMATCHLIST', rec='route_map_match_list_rec', list='prroutemapmatchlist', release='ROUTING', records='policy',
      cols="""
    networkid             NUMBER(10)      -
    domainname            VARCHAR2(300)   N
    nodetype              VARCHAR2(300)   N
    routemap              VARCHAR2(300)   T
    sequence              NUMBER(10)      -     r=:numtext
    matchsequence         NUMBER(10)      -     r=:numtext
    matchtype             VARCHAR2(300)   T
    matchvalue            VARCHAR2(300)   T
    ndlversion            NUMBER(10)      -
""",
      read=read(step=170, name='k_r_domainroutemapmatchlist'),
      write=write(step=420))

table('ROUTEMAPSETLIST', rec='route_map_set_list_rec', list='prroutemapsetlist', release='ROUTING', records='policy',
      cols="""
    networkid             NUMBER(10)      -
    domainname            VARCHAR2(300)   N
    nodetype              VARCHAR2(300)   N
    routemap              VARCHAR2(300)   T
    sequence              NUMBER(10)      -     r=:numtext
    setsequence           NUMBER(10)      -     r=:numtext
    settype               VARCHAR2(300)   T
    setvalue              VARCHAR2(300)   T
    ndlversion            NUMBER(10)      -
""",
      read=read(step=180, name='k_r_domainroutemapsetlist'),
      write=write(step=430))

table('DOMAINACCESSLIST', rec='domain_access_list_rec', list='prdomainaccesslist', release='ACCESSLIST',
      cols="""
    networkid             NUMBER(10)      -
    domainname            VARCHAR2(300)   N
    nodetype              VARCHAR2(300)   N
    sequence              NUMBER(10)      -
    acltype               VARCHAR2(300)   T
    nametype              VARCHAR2(300)   T
    aclname               VARCHAR2(300)   T
    aclstart              NUMBER(10)      -
    aclinc                NUMBER(10)      -     r=?0
    owner                 VARCHAR2(300)   T     r=?
    context1              VARCHAR2(300)   T     r=?
    context2              VARCHAR2(300)   T     r=?
    context3              VARCHAR2(300)   T     r=?
    direction             VARCHAR2(300)   N     r=?
    usage                 VARCHAR2(300)   T
    ndlversion            NUMBER(10)      -
""",
      read=read(step=10, read_after=[('context1', 'nodetype'), ('context2', 'context1'), ('context3', 'context2'), ('usage', 'acltype'), ('owner', 'usage'), ('sequence', 'owner')]),
      write=write(step=440, routine='print_domainaccesslist'))

table('DOMAINEXTACL', rec='domain_ext_acl_rec', list='prdomainextacl', release='ACCESSLIST',
      cols="""
    networkid             NUMBER(10)      -
    domainname            VARCHAR2(300)   N
    nodetype              VARCHAR2(300)   N
    sequence              NUMBER(10)      -
    subsequence           NUMBER(10)      -
    repeatby              VARCHAR2(300)   T     r=?
    type                  VARCHAR2(300)   T
    protocol              VARCHAR2(300)   T
    hostnetworkno         VARCHAR2(300)   T
    hostdncb              NUMBER(10)      -     r=?0
    mask                  NUMBER(10)      -     r=?0
    maskdncb              NUMBER(10)      -     r=?0
    ndlversion            NUMBER(10)      -
""",
      read=read(step=30, read_after=[('mask', 'nodetype'), ('maskdncb', 'mask'), ('hostdncb', 'maskdncb'), ('repeatby', 'type')]),
      write=write(step=450, spacing={'subsequence': ', '}))

table('DOMAINACLLIST', rec='domain_acl_list_rec', list='prdomainacllist', release='ACCESSLIST',
      cols="""
    networkid             NUMBER(10)      -
    domainname            VARCHAR2(300)   N
    nodetype              VARCHAR2(300)   N
    sequence              NUMBER(10)      -
    subsequence           NUMBER(10)      -
    repeatby              VARCHAR2(300)   T     r=?
    type                  VARCHAR2(300)   T     r=~
    protocoltype          VARCHAR2(300)   N     r=~
    protocol              VARCHAR2(300)   T     r=?
    source                VARCHAR2(300)   T     r=?
    sourceprefix          NUMBER(10)      -     r=?0
    sourceportoptype      VARCHAR2(300)   N     r=~
    sourceportop          VARCHAR2(300)   N     r=?
    sourceporttype        VARCHAR2(300)   N     r=?
    sourceport            VARCHAR2(300)   N     r=?
    dest                  VARCHAR2(300)   T     r=?
    destprefix            NUMBER(10)      -     r=?0
    destportoptype        VARCHAR2(300)   N     r=~
    destportop            VARCHAR2(300)   N     r=?
    destporttype          VARCHAR2(300)   N     r=~
    destport              VARCHAR2(300)   N     r=?
    precedence            VARCHAR2(300)   N     r=?
    tos                   VARCHAR2(300)   N     r=?
    established           NUMBER(10)      -     r=?0
    log                   NUMBER(10)      -     r=?0
    ndlversion            NUMBER(10)      -
""",
      read=read(step=20),
      write=write(step=460, spacing={'subsequence': ', '}))

table('DOMAINPREFIXHDR', rec='domain_prefix_hdr_rec', list='prdomainprefixhdr', release='ROUTING', records='policy',
      cols="""
    @MULTICAST
    listname              VARCHAR2(300)   T
    ndlversion            NUMBER(10)      -
""",
      read=read(step=140, read_after=[('sequence', 'context3')], r={'networkid': ''}),
      write=write(step=470))

table('DOMAINPREFIXLIST', rec='domain_prefix_list_rec', list='prdomainprefixlist', release='ROUTING', records='policy',
      cols="""
    networkid             NUMBER(10)      -
    domainname            VARCHAR2(300)   N
    nodetype              VARCHAR2(300)   N
    sequence              NUMBER(10)      -
    subsequence           NUMBER(10)      -
    repeatby              VARCHAR2(300)   T     r=?
    type                  VARCHAR2(300)   T
    network               VARCHAR2(300)   T
    length                NUMBER(10)      -     r=?0
    lelen                 NUMBER(10)      -     r=?0
    gelen                 NUMBER(10)      -     r=?0
    ndlversion            NUMBER(10)      -
""",
      read=read(step=150, read_after=[('lelen', 'nodetype'), ('gelen', 'lelen'), ('length', 'gelen'), ('repeatby', 'type')]),
      write=write(step=480))

table('DOMAINFILTERLIST', rec='domain_filter_list_rec', list='prdomainfilterlist', release='ROUTING', records='policy',
      cols="""
    networkid             NUMBER(10)      -
    domainname            VARCHAR2(300)   N
    nodetype              VARCHAR2(300)   N
    sequence              NUMBER(10)      -
    aclseqstart           VARCHAR2(300)   T     older=NUMBER(10)
    aclseqinc             NUMBER(10)      -     r=?0
    context1              VARCHAR2(300)   T     r=?
    context2              VARCHAR2(300)   T     r=?
    context3              VARCHAR2(300)   T     r=?
    filtertype            VARCHAR2(300)   N     r=?
    type                  VARCHAR2(300)   T     r=?
    substring             VARCHAR2(300)   T     r=?
    ndlversion            NUMBER(10)      -
""",
      read=read(step=200, read_after=[('sequence', 'type'), ('filtertype', 'sequence'), ('aclseqstart', 'filtertype'), ('aclseqinc', 'aclseqstart')]),
      write=write(step=490, spacing={'aclseqstart': ', ', 'aclseqinc': ' ,'}))

table('DOMAINQUEUES', rec='domain_queue_rec', list='prdomainqueues', release='FIREWALL',
      cols="""
    networkid             NUMBER(10)      -
    domainname            VARCHAR2(300)   N
    nodetype              VARCHAR2(300)   N
    queuetype             VARCHAR2(300)   T     r=~
    queuename             VARCHAR2(300)   T     r=~
    classifiertype        VARCHAR2(300)   T     r=~
    usage                 VARCHAR2(300)   T     r=~
    owner                 VARCHAR2(300)   T     r=~
    ndlversion            NUMBER(10)      -
""",
      read=read(step=40),
      write=write(step=500, spacing={'queuename': ', '}))

table('DOMAINCUSTSUBQ', rec='domain_cust_subq_rec', list='prdomaincustsubq', release='FIREWALL',
      cols="""
    networkid             NUMBER(10)      -
    domainname            VARCHAR2(300)   N
    nodetype              VARCHAR2(300)   N
    queuename             VARCHAR2(300)   T     r=~
    subqueuename          VARCHAR2(300)   T     r=~
    classifier            VARCHAR2(300)   T     r=?
    isdefault             NUMBER(10)      -
    bytecount             VARCHAR2(300)   T     r=?
    ndlversion            NUMBER(10)      -
""",
      read=read(step=50),
      write=write(step=510, spacing={'subqueuename': ', '}))

table('DOMAINMAPCLASS', rec='domain_map_class_rec', list='prdomainmapclass', release='ROUTING', records='policy',
      cols="""
    networkid             NUMBER(10)      -
    domainname            VARCHAR2(300)   N
    nodetype              VARCHAR2(300)   N
    mapclassname          VARCHAR2(300)   T     r=~
    context1              VARCHAR2(300)   T     r=?
    context2              VARCHAR2(300)   T     r=?
    context3              VARCHAR2(300)   T     r=?
    usage                 VARCHAR2(300)   T     r=~
    owner                 VARCHAR2(300)   T     r=~
    burstsizein           VARCHAR2(300)   T     r=?
    burstexcessin         VARCHAR2(300)   T     r=?
    cirin                 VARCHAR2(300)   T     r=?
    burstsizeout          VARCHAR2(300)   T     r=?
    burstexcessout        VARCHAR2(300)   T     r=?
    cirout                VARCHAR2(300)   T     r=?
    customqueue           VARCHAR2(300)   T     r=?
    priorityqueue         VARCHAR2(300)   T     r=?
    average               VARCHAR2(300)   T     r=?
    peak                  VARCHAR2(300)   T     r=?
    ndlversion            NUMBER(10)      -
""",
      read=read(step=190, read_after=[('burstexcessin', 'burstsizeout'), ('cirin', 'burstexcessout')]),
      write=write(step=520, spacing={'domainname': ', ', 'mapclassname': ', ', 'context1': ' ,', 'context3': ', ', 'burstsizein': ', ', 'burstexcessin': ' ,', 'burstexcessout': ', ', 'cirout': ' ,', 'average': ', ', 'peak': ' ,'}, older_comment='-- Delete domainnmapclass\n'))

table('SERVICEENROLLVARS', rec='service_enroll_var_rec', list='prqosservenrollvar', release='QOS',
      cols="""
    networkid             NUMBER(10)      -
    sequence              NUMBER(10)      -
    variablename          VARCHAR2(300)   T     r=~
    ~@VARIABLE
""",
      read=read(step=70, name='k_r_servenrollvars', label='ServiceEnrollvars', fetch_label='Serviceenrollvars', form='filling'),
      write=write(step=690, step_name='print_servenrollvar', spacing={'sequence': ', '}))

table('QOSPOLICERULECLASS', rec='qos_police_rule_class_rec', list='prpoliceruledesclist', release='QOS',
      cols="""
    ~@QOSRULE
    policerulename        VARCHAR2(300)   T     r=~
    sequence              NUMBER(10)      -
    matchrulename         VARCHAR2(300)   T     r=?
    bitrate               VARCHAR2(300)   T     r=?
    burstsize             VARCHAR2(300)   T     r=?
    excessburstsize       VARCHAR2(300)   T     r=?
    exceedrate            VARCHAR2(300)   T     r=?
    violaterate           VARCHAR2(300)   T     r=?
    repeatby              VARCHAR2(300)   T     r=?
    ndlversion            NUMBER(10)      -
""",
      read=read(step=40, routine='read_policerules', read_after=[('usage1', 'violaterate'), ('usage2', 'usage1')], name='k_r_policeruletable'),
      write=write(step=700, step_name='print_qospolicelist', older_delete='DELETE QOSPOLICERULECLASS WHERE networkid=%d\n', older_comment='-- Delete policerule\n'))

table('QOSPOLICEACTIONCLASS', rec='qos_police_rule_class_rec', entry='qos_police_action_class_rec', sub='actionlist', list='prpoliceruledesclist', release='QOS', key=('sublist', 'rule', 'domainname nodetype policerulename'),
      cols="""
    @QOSRULE
    policerulename        VARCHAR2(300)   T
    sequence              NUMBER(10)      -
    subsequence           NUMBER(10)      -     w=pos
    actiontype            VARCHAR2(300)   T     entry r=?
    action                VARCHAR2(300)   T     entry r=?
    actionvalue           VARCHAR2(300)   T     entry r=?
    repeatby              VARCHAR2(300)   T
    ndlversion            NUMBER(10)      -
""",
      read=read(within='QOSPOLICERULECLASS', r={'networkid': 'unread'}, name='k_r_policeactions', order='ORDER BY subsequence', nested=True),
      write=write(within='QOSPOLICERULECLASS', older_delete='DELETE QOSPOLICEACTIONCLASS WHERE networkid=%d\n', older_comment='-- Delete policeactionrule\n'))

table('QOSDROPRULECLASS', rec='qos_drop_rule_class_rec', entry='qos_drop_rule_class_elem_rec', sub='elemlist', list='prdropruledesclist', release='QOS',
      cols="""
    ~@QOSRULE
    droprulename          VARCHAR2(300)   T     r=~
    droptype              VARCHAR2(300)   T     r=?
    sequence              NUMBER(10)      -     w=pos
    dropsubtype           VARCHAR2(300)   300   entry r=?
    dropparam1            VARCHAR2(300)   300   entry r=?
    dropparam2            VARCHAR2(300)   300   entry r=?
    repeatby              VARCHAR2(300)   T     r=?
    ndlversion            NUMBER(10)      -
""",
      read=read(step=50, routine='read_droprules', read_after=[('droptype', 'sequence'), ('usage1', 'dropparam2'), ('usage2', 'usage1')], name='k_r_dropruletable', order='ORDER BY networkid, domainname, nodetype, droprulename, sequence'),
      write=write(step=710, step_name='print_droprules', insert_empty=True, older_delete='DELETE QOSDROPRULECLASS WHERE networkid=%d\n', older_comment='-- Delete QOSDROPRULECLASS\n'))

table('QOSSHAPERULECLASS', rec='qos_shape_rule_class_rec', list='prshaperuledesclist', release='QOS',
      cols="""
    ~@QOSRULE
    shaperulename         VARCHAR2(300)   T     r=~
    sequence              NUMBER(10)      -
    matchrulename         VARCHAR2(300)   T     r=?
    bitratetype           VARCHAR2(300)   T     r=?
    bitrate               VARCHAR2(300)   T     r=?
    sustainedrate         VARCHAR2(300)   T     r=?
    excessrate            VARCHAR2(300)   T     r=?
    burstsize             VARCHAR2(300)   T     r=?
    excessburstsize       VARCHAR2(300)   T     r=?
    queuelength           VARCHAR2(300)   T     r=?
    repeatby              VARCHAR2(300)   T     r=?
    ndlversion            NUMBER(10)      -
""",
      read=read(step=30, read_after=[('usage1', 'queuelength'), ('usage2', 'usage1')], name='k_r_shaperuletable'),
      write=write(step=720, step_name='print_shaperules', older_delete='DELETE QOSSHAPERULECLASS WHERE networkid=%d\n', older_comment='-- Delete QOSSHAPERULECLASS\n'))

table('QOSMARKRULECLASS', rec='qos_mark_rule_class_rec', list='prmarkruledesclist', release='QOS',
      cols="""
    ~@QOSRULE
    markrulename          VARCHAR2(300)   T     r=~
    sequence              NUMBER(10)      -
    marktype              VARCHAR2(300)   T     r=?
    markvalue             VARCHAR2(300)   T     r=?
    repeatby              VARCHAR2(300)   T     r=?
    ndlversion            NUMBER(10)      -
""",
      read=read(step=20, read_after=[('usage1', 'markvalue'), ('usage2', 'usage1')], name='k_r_markruletable'),
      write=write(step=730, step_name='print_qosmarktable', older_delete='DELETE QOSMARKRULECLASS WHERE networkid=%d\n', older_comment='-- Delete markrule\n'))

table('QOSMATCHRULECLASS', rec='qos_match_rule_class_rec', entry='qos_match_rule_class_elem_rec', sub='elemlist', list='prmatchruledesclist', release='QOS',
      cols="""
    ~@QOSRULE
    matchrulename         VARCHAR2(300)   T     r=~
    matchdnf              NUMBER(10)      uint16_t  r=?0:flag16
    sequence              NUMBER(10)      -     w=pos
    matchtype             VARCHAR2(300)   T     entry r=?
    matchvalue            VARCHAR2(300)   T     entry r=?
    matchnegated          NUMBER(10)      uint16_t  entry r=?0:flag16
    repeatby              VARCHAR2(300)   T     r=?
    ndlversion            NUMBER(10)      -
""",
      read=read(step=10, routine='read_matchrules', read_after=[('usage1', 'matchnegated'), ('usage2', 'usage1')], name='k_r_matchruletable', order='ORDER BY domainname, nodetype, matchrulename, sequence'),
      write=write(step=740, step_name='print_matchruletable', older_delete='DELETE QOSMATCHRULECLASS WHERE networkid=%d\n', older_comment='-- Delete matchrule\n'))

table('QOSPOLICYCLASS', rec='qos_policy_class_rec', list='prqospolicydesclist', release='QOS',
      cols="""
    networkid             NUMBER(10)      -     r=-
    domainname            VARCHAR2(300)   T     r=~
    nodetype              VARCHAR2(300)   T     r=~
    policyname            VARCHAR2(300)   T     r=~
    policyid              NUMBER(10)      -
    owner                 VARCHAR2(300)   T     r=~
    usage1                VARCHAR2(300)   T     r=~
    usage2                VARCHAR2(300)   T     r=~
    mandatory             NUMBER(10)      -     r=?0
    context1              VARCHAR2(300)   T     r=?
    context2              VARCHAR2(300)   T     r=?
    context3              VARCHAR2(300)   T     r=?
    classrulename         VARCHAR2(300)   T     r=?
    direction             VARCHAR2(300)   T     r=?
    queuetype             VARCHAR2(300)   T     r=?
    markrule              VARCHAR2(300)   T     r=?
    policerule            VARCHAR2(300)   T     r=?
    shaperule             VARCHAR2(300)   T     r=?
    droprule              VARCHAR2(300)   T     r=?
    ndlversion            NUMBER(10)      -
""",
      read=read(step=60, routine='read_policyclasses', read_after=[('policyname', 'context3'), ('policyid', 'policyname'), ('mandatory', 'policyid'), ('usage1', 'droprule'), ('usage2', 'usage1')], name='k_r_policyruletable'),
      write=write(step=750, step_name='print_qospolicyclasstable', older_delete='DELETE QOSPOLICYCLASS WHERE networkid=%d\n', older_comment='-- Delete QOSPOLICYCLASS\n'))

table('QOSSUBQUEUECLASS', rec='qos_policy_class_rec', entry='qos_sub_queue_class_rec', sub='subqueuelist', list='prqospolicydesclist', release='QOS', key=('sublist', 'class', 'domainname nodetype classrulename'),
      cols="""
    networkid             NUMBER(10)      -
    domainname            VARCHAR2(300)   T
    nodetype              VARCHAR2(300)   T
    classrulename         VARCHAR2(300)   T
    classtype             VARCHAR2(300)   -     w='POLICY'
    direction             VARCHAR2(300)   T
    context1              VARCHAR2(300)   T
    context2              VARCHAR2(300)   T
    context3              VARCHAR2(300)   T
    policyid              NUMBER(10)      -
    classname             VARCHAR2(300)   -     w=classrulename
    queuetype             VARCHAR2(300)   T
    sequence              NUMBER(10)      -     entry r=?0
    subqueuename          VARCHAR2(300)   T     entry r=?
    queuebandwidth        VARCHAR2(300)   T     entry r=?
    queuebwtype           VARCHAR2(300)   T     entry r=?
    queuelength           VARCHAR2(300)   T     entry r=?
    queuebytespercycle    VARCHAR2(300)   T     entry r=?
    queuepriority         VARCHAR2(300)   T     entry r=?
    isdefault             NUMBER(10)      uint16_t  entry r=?0:flag16
    fairqueuecount        VARCHAR2(300)   T     entry r=?
    matchrule             VARCHAR2(300)   T     entry r=?
    matchdnf              NUMBER(10)      uint16_t  entry r=?0:flag16
    markrule              VARCHAR2(300)   T     entry r=?
    policerule            VARCHAR2(300)   T     entry r=?
    shaperule             VARCHAR2(300)   T     entry r=?
    droprule              VARCHAR2(300)   T     entry r=?
    repeatby              VARCHAR2(300)   T     entry r=?
    ndlversion            NUMBER(10)      -
""",
      read=read(within='QOSPOLICYCLASS', read_after=[('shaperule', None), ('policerule', 'droprule'), ('fairqueuecount', 'policerule'), ('queuepriority', 'fairqueuecount'), ('queuebytespercycle', 'queuepriority'), ('queuelength', 'queuebytespercycle'), ('queuebwtype', 'queuelength'), ('queuebandwidth', 'queuebwtype'), ('subqueuename', 'queuebandwidth'), ('isdefault', 'subqueuename'), ('matchdnf', 'isdefault'), ('sequence', 'matchdnf')], lead=['markrule?'], name='k_r_subqueues', order='ORDER BY sequence', nested=True),
      write=write(step=760, step_name='print_qossubqueuetable', older_delete='DELETE QOSSUBQUEUECLASS WHERE networkid=%d\n', older_comment='-- Delete QOSSUBQUEUECLASS\n'))

table('custsite', before='\n-- Instance tables that other applications of the repository keep; the\n-- loader only counts their live rows.\n', key=('instance', 'connectiontype', 'connectiontype'),
      cols="""
    networkid             NUMBER(10)      -
    version               NUMBER(10)      -
    customerid            NUMBER(10)      -
    seqno                 NUMBER(10)      -
    connectiontype        VARCHAR2(300)   -
    changetype            NUMBER(10)      -
""")

table('nodeconn', key=('instance', 'connectionname', 'connectionname'),
      cols="""
    networkid             NUMBER(10)      -
    version               NUMBER(10)      -
    connectionid          NUMBER(10)      -
    seqno                 NUMBER(10)      -
    connectionname        VARCHAR2(300)   -
    changetype            NUMBER(10)      -
""")

table('nodeinst', key=('instance', 'nodetype', 'domainname nodetype'),
      cols="""
    networkid             NUMBER(10)      -
    version               NUMBER(10)      -
    domainname            VARCHAR2(300)   -
    domainid              NUMBER(10)      -
    nodetype              VARCHAR2(300)   -
    nodeid                NUMBER(10)      -
    seqno                 NUMBER(10)      -
    changetype            NUMBER(10)      -
""")

table('domaininstance', key=('instance', 'domainname', 'domainname'),
      cols="""
    networkid             NUMBER(10)      -
    version               NUMBER(10)      -
    domainname            VARCHAR2(300)   -
    domainid              NUMBER(10)      -
    seqno                 NUMBER(10)      -
    changetype            NUMBER(10)      -
""")

# The groups a run releases its lists by (releasememory), in the order "ALL"
# releases them; each table's list names its group by release=.
RELEASE_GROUPS = ['TOPOLOGY', 'CUSTOMER', 'ROUTING', 'FIREWALL', 'QOS', 'ACCESSLIST']

# The section whose records a table's are, by its release group (records=
# on a table where it is another): core/records_SECTION.h declares them,
# with core/records_SECTION_stored.h, so that a change of a table rebuilds
# only the code that includes its section's records.
RECORD_SECTIONS = {'TOPOLOGY': 'topology', 'CUSTOMER': 'customer', 'ROUTING': 'routing', 'FIREWALL': 'policy',
                   'QOS': 'policy', 'ACCESSLIST': 'policy'}

# The sections whose stored rows a run reads back (kSections, in this order),
# each named by the release groups of its tables' lists; within a section its
# tables are read in the order of their read steps.
READ_SECTIONS = [('Topology', ['TOPOLOGY']), ('Customer', ['CUSTOMER']), ('Routing', ['ROUTING']),
                 ('Firewall', ['ACCESSLIST', 'FIREWALL']), ('Qos', ['QOS'])]

# Lists checked and released, never stored.
unstored_list('prdomainsnmpcommunity', 'domain_snmp_community_rec', release='TOPOLOGY')
unstored_list('prvrfclass', 'vrf_class_rec', release='ROUTING')
unstored_list('prvrfmemberfilter', 'vrf_member_filter_rec', release='ROUTING')
unstored_list('prvrfroutetarget', 'vrf_route_target_rec', release='ROUTING')
unstored_list('prvrfdescription', 'vrf_description_rec', release='ROUTING')

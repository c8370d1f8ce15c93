-- The repository, versioned layout: what cfgproc reads and writes.
-- Column order is the writers' INSERT value order (their INSERTs name no
-- columns); the readers select the same columns by name.
--
-- The older, unversioned layout that cfgload writes is derived from this
-- file when a repository is created (platform/oci/schema.cpp): it has no
-- ndlversion columns, no table, column or trigger marked "versioned only",
-- and the type that "older layout:" gives where the two differ.

CREATE TABLE NETWORKS (
  networkid        NUMBER(10) NOT NULL PRIMARY KEY,
  networkname      VARCHAR2(30) NOT NULL,
  organization     VARCHAR2(300),
  address          VARCHAR2(300),
  city             VARCHAR2(300),
  country          VARCHAR2(300),
  networkzonename  VARCHAR2(300),
  exportedzonename VARCHAR2(300),
  securitygroup    VARCHAR2(300)
);

CREATE TABLE PROJECT (
  networkid   NUMBER(10) NOT NULL,
  version     NUMBER(10) NOT NULL,
  state       VARCHAR2(30),
  description VARCHAR2(300),
  revision    NUMBER(10),
  owner       VARCHAR2(30),
  created     DATE,
  modified    DATE,
  locked      NUMBER(10),
  remarks     VARCHAR2(300)
);

CREATE TABLE POLICYVERSIONS ( -- versioned only
  networkid  NUMBER(10) NOT NULL,
  ndlversion NUMBER(10) NOT NULL,
  remarks    VARCHAR2(300)
);

-- Stored network: topology, customer, routing, policy and QoS tables.

CREATE TABLE LISTVALUES (
  networkid            NUMBER(10),
  listname             VARCHAR2(300),
  elementvalue         VARCHAR2(300)
);

CREATE TABLE VALIDINTBANDWIDTH ( -- versioned only
  networkid            NUMBER(10),
  interfacetype        VARCHAR2(300),
  bandwidth            VARCHAR2(300)
);

CREATE TABLE DOMAIN (
  networkid            NUMBER(10),
  domainname           VARCHAR2(300)
);

CREATE TABLE DOMAINVARIABLES (
  networkid            NUMBER(10),
  domainname           VARCHAR2(300),
  sequence             NUMBER(10),
  variablename         VARCHAR2(300),
  displayname          VARCHAR2(300),
  variabletype         VARCHAR2(300),
  updatestatus         VARCHAR2(300),
  isoptional           NUMBER(10),
  minvalue             NUMBER(10),
  maxvalue             NUMBER(10),
  defaultvalue         VARCHAR2(300),
  listname             VARCHAR2(300),
  variablevalue        VARCHAR2(300),
  uniquec              VARCHAR2(300)
);

CREATE TABLE DOMAINNODES (
  networkid            NUMBER(10),
  domainname           VARCHAR2(300),
  nodetype             VARCHAR2(300),
  nodeidstart          NUMBER(10),
  maxnode              NUMBER(10),
  minnode              NUMBER(10),
  hostname             VARCHAR2(300),
  devicetype           VARCHAR2(300),
  iscpe                NUMBER(10),
  remoteaccess         NUMBER(10),
  remoteaddrtype       VARCHAR2(300),
  natinside            NUMBER(10),
  nataddrtype          VARCHAR2(300),
  routedprotocols      NUMBER(10),
  controller           NUMBER(10)
);

CREATE TABLE DOMAINNODEVARS (
  networkid            NUMBER(10),
  domainname           VARCHAR2(300),
  nodetype             VARCHAR2(300),
  sequence             NUMBER(10),
  variablename         VARCHAR2(300),
  displayname          VARCHAR2(300),
  variabletype         VARCHAR2(300),
  updatestatus         VARCHAR2(300),
  isoptional           NUMBER(10),
  minvalue             NUMBER(10),
  maxvalue             NUMBER(10),
  defaultvalue         VARCHAR2(300),
  listname             VARCHAR2(300),
  variablevalue        VARCHAR2(300),
  uniquec              VARCHAR2(300)
);

CREATE TABLE DOMAINSERVICES (
  networkid            NUMBER(10),
  domainname           VARCHAR2(300),
  nodetype             VARCHAR2(300),
  servicename          VARCHAR2(300),
  sourceaddress        VARCHAR2(300)
);

CREATE TABLE DOMAINCONNECTIONS (
  networkid            NUMBER(10),
  domainname1          VARCHAR2(300),
  domainname2          VARCHAR2(300),
  conntype             VARCHAR2(300),
  maxconn              NUMBER(10),
  minconn              NUMBER(10)
);

CREATE TABLE DOMAINFIXEDCONN (
  networkid            NUMBER(10),
  connectionno         NUMBER(10),
  domainname           VARCHAR2(300),
  nodetype             VARCHAR2(300),
  nattype              VARCHAR2(300),
  authserver           VARCHAR2(300),
  minconn              NUMBER(10),
  maxconn              NUMBER(10),
  secondaryip          NUMBER(10)
);

CREATE TABLE DOMAININTNAMES (
  networkid            NUMBER(10),
  connectionno         NUMBER(10),
  domainname           VARCHAR2(300),
  nodetype             VARCHAR2(300),
  instanceno           NUMBER(10),
  interfacename        VARCHAR2(300)
);

CREATE TABLE DOMAINCONNVARS (
  networkid            NUMBER(10),
  connectionno         NUMBER(10),
  sequence             NUMBER(10),
  variablename         VARCHAR2(300),
  displayname          VARCHAR2(300),
  variabletype         VARCHAR2(300),
  updatestatus         VARCHAR2(300),
  isoptional           NUMBER(10),
  minvalue             NUMBER(10),
  maxvalue             NUMBER(10),
  defaultvalue         VARCHAR2(300),
  listname             VARCHAR2(300),
  variablevalue        VARCHAR2(300),
  uniquec              VARCHAR2(300)
);

CREATE TABLE DOMAINCONNTYPES (
  networkid            NUMBER(10),
  connectionno         NUMBER(10),
  connectionname       VARCHAR2(300),
  connectionscope      VARCHAR2(300),
  connectiontype       VARCHAR2(300),
  networktypes         NUMBER(10),
  addresstype          VARCHAR2(300),
  prefix               VARCHAR2(300),
  valcheck             VARCHAR2(300),
  maxconn              NUMBER(10)
);

CREATE TABLE DOMAININSTVARS (
  networkid            NUMBER(10),
  connectionname       VARCHAR2(300),
  sequenceno           NUMBER(10),
  variablename         VARCHAR2(300)
);

CREATE TABLE DOMAINREMOTETYPES (
  networkid            NUMBER(10),
  connectionno         NUMBER(10),
  peruser              NUMBER(10),
  isdn                 NUMBER(10),
  async                NUMBER(10),
  dialout              NUMBER(10),
  dialin               NUMBER(10)
);

CREATE TABLE DOMAININTTYPES (
  networkid            NUMBER(10),
  connectionno         NUMBER(10),
  interfacetype        VARCHAR2(300),
  encapsulationtype    VARCHAR2(300),
  isauthenticated      NUMBER(10),
  subinterface         NUMBER(10),
  authenticationtype   VARCHAR2(300),
  conntype             VARCHAR2(300)
);

CREATE TABLE HSRPMEMBER (
  networkid            NUMBER(10),
  connectionno         NUMBER(10),
  sequenceno           NUMBER(10),
  domainname           VARCHAR2(300),
  nodetype             VARCHAR2(300),
  subsequenceno        NUMBER(10),
  trackinterface       VARCHAR2(300),
  trackpriority        NUMBER(10)
);

CREATE TABLE HSRPCONNECTIONS (
  networkid            NUMBER(10),
  connectionno         NUMBER(10),
  sequenceno           NUMBER(10),
  addresstype          VARCHAR2(300),
  authenticated        NUMBER(10),
  subsequenceno        NUMBER(10),
  hsrppriority         VARCHAR2(300)
);

CREATE TABLE DOMAINCONNFILTERS (
  networkid            NUMBER(10),
  connectionno         NUMBER(10),
  sequence             NUMBER(10),
  variablename         VARCHAR2(300)
);

CREATE TABLE IPADDRESSPOOLS (
  networkid            NUMBER(10),
  addresspoolname      VARCHAR2(300),
  protocoltype         VARCHAR2(300),
  startaddress         VARCHAR2(300),
  endaddress           VARCHAR2(300)
);

CREATE TABLE ADDRESSASSIGN (
  networkid            NUMBER(10),
  namedpointtype       NUMBER(10),
  namedendpoint        VARCHAR2(300),
  addresspoolname      VARCHAR2(300),
  sequence             NUMBER(10),
  scope                VARCHAR2(300),
  offset               VARCHAR2(300),
  ipaddress            VARCHAR2(300),
  poolname             VARCHAR2(300),
  servicetype          VARCHAR2(300),
  hosttype             VARCHAR2(300),
  nattype              VARCHAR2(300),
  poolowner            VARCHAR2(300),
  poolownervar         VARCHAR2(300),
  poolclass            VARCHAR2(300) -- versioned only
);

CREATE TABLE ADDRESSDEPENDENCY (
  networkid            NUMBER(10),
  namedpointtype       NUMBER(10),
  namedendpoint        VARCHAR2(300),
  addresspoolname      VARCHAR2(300),
  sequence             NUMBER(10),
  variablename         VARCHAR2(300),
  minvalue             NUMBER(10),
  maxvalue             NUMBER(10)
);

CREATE TABLE DOMAINNODECONNBKP (
  networkid            NUMBER(10),
  domainname           VARCHAR2(300),
  nodetype             VARCHAR2(300),
  scope                VARCHAR2(300),
  connectionname       VARCHAR2(300),
  backupconnname       VARCHAR2(300)
);

CREATE TABLE DOMAINNODELOGINT (
  networkid            NUMBER(10),
  domainname           VARCHAR2(300),
  nodetype             VARCHAR2(300),
  devicetype           VARCHAR2(300),
  inttype              VARCHAR2(300),
  intno                VARCHAR2(300),
  addresstype          VARCHAR2(300),
  prefix               NUMBER(10),
  dependency           VARCHAR2(300),
  valcheck             VARCHAR2(300)
);

CREATE TABLE NETWORKVARS (
  networkid            NUMBER(10),
  sequence             NUMBER(10),
  variablename         VARCHAR2(300),
  variabletype         VARCHAR2(300),
  variablevalue        VARCHAR2(300)
);

CREATE TABLE APSMEMBER (
  networkid            NUMBER(10),
  connectionno         NUMBER(10),
  domainname           VARCHAR2(300),
  nodetype             VARCHAR2(300),
  interfacemode        NUMBER(10)
);

CREATE TABLE SERVICETYPENAMES (
  networkid            NUMBER(10),
  servicetype          VARCHAR2(300),
  servicename          VARCHAR2(300)
);

CREATE TABLE SERVICETYPES (
  networkid            NUMBER(10),
  servicetype          VARCHAR2(300),
  hosttype             VARCHAR2(300)
);

CREATE TABLE SERVICETYPEVARS (
  networkid            NUMBER(10),
  servicetype          VARCHAR2(300),
  sequence             NUMBER(10),
  variablename         VARCHAR2(300),
  displayname          VARCHAR2(300),
  variabletype         VARCHAR2(300),
  updatestatus         VARCHAR2(300),
  isoptional           NUMBER(10),
  minvalue             NUMBER(10),
  maxvalue             NUMBER(10),
  defaultvalue         VARCHAR2(300),
  listname             VARCHAR2(300),
  variablevalue        VARCHAR2(300),
  uniquec              VARCHAR2(300)
);

CREATE TABLE POOLTYPES (
  networkid            NUMBER(10),
  servicetype          VARCHAR2(300),
  hosttype             VARCHAR2(300),
  poolowner            VARCHAR2(300),
  validation           VARCHAR2(300)
);

CREATE TABLE COMPOOLTYPES (
  networkid            NUMBER(10),
  servicetype          VARCHAR2(300),
  communicationtype    VARCHAR2(300),
  hosttype             VARCHAR2(300),
  addressmode          VARCHAR2(300)
);

CREATE TABLE POOLSEQUENCE (
  networkid            NUMBER(10),
  servicetype          VARCHAR2(300),
  poolowner            VARCHAR2(300),
  hosttype             VARCHAR2(300),
  sequence             NUMBER(10),
  variablename         VARCHAR2(300)
);

CREATE TABLE POOLCLASS (
  networkid            NUMBER(10),
  name                 VARCHAR2(300),
  value                VARCHAR2(300),
  isdefault            NUMBER(10),
  isshared             NUMBER(10) -- versioned only
);

CREATE TABLE POOLCLASSMAPPING (
  networkid            NUMBER(10),
  conntypename         VARCHAR2(300),
  roletype             VARCHAR2(300),
  hosttype             VARCHAR2(300),
  nattype              VARCHAR2(300),
  poolclass            VARCHAR2(300),
  enrollforall         NUMBER(10)
);

CREATE TABLE SYSTEMLISTVALUES (
  networkid            NUMBER(10),
  listname             VARCHAR2(300),
  displayname          VARCHAR2(300),
  elementvalue         VARCHAR2(300)
);

CREATE TABLE VCCLASS (
  networkid            NUMBER(10),
  connectionno         NUMBER(10),
  connectionname       VARCHAR2(300),
  encapsulationtype    VARCHAR2(300),
  connectiontype       VARCHAR2(300),
  pathmode             VARCHAR2(300),
  pathtype             VARCHAR2(300),
  scope                VARCHAR2(300),
  maxconn              NUMBER(10),
  isauthenticated      NUMBER(10)
);

CREATE TABLE VCMEMBERFILTERS (
  networkid            NUMBER(10),
  connectionno         NUMBER(10),
  sequence             NUMBER(10),
  variablename         VARCHAR2(300)
);

CREATE TABLE VCMEMBERCLASS (
  networkid            NUMBER(10),
  connectionno         NUMBER(10),
  sequence             NUMBER(10),
  domainname           VARCHAR2(300),
  nodetype             VARCHAR2(300),
  minconn              NUMBER(10),
  maxconn              NUMBER(10),
  membertype           VARCHAR2(300),
  interface            VARCHAR2(300),
  connectionname       VARCHAR2(300),
  tunnelsource         VARCHAR2(300)
);

CREATE TABLE GLOBALLISTVARS ( -- versioned only
  networkid            NUMBER(10),
  listid               VARCHAR2(300),
  sequence             NUMBER(10),
  variablename         VARCHAR2(300)
);

CREATE TABLE CUSTCONNTYPES (
  networkid            NUMBER(10),
  servicetype          VARCHAR2(300),
  conntypename         VARCHAR2(300),
  connectto            VARCHAR2(300),
  scope1               VARCHAR2(300),
  scope2               VARCHAR2(300),
  scope3               VARCHAR2(300),
  domainname           VARCHAR2(300),
  addressmode          VARCHAR2(300),
  routingenabled       NUMBER(10),
  directconnect        NUMBER(10),
  custsitetype         VARCHAR2(300)
);

CREATE TABLE CUSTCONNQOSPOLICY (
  networkid            NUMBER(10),
  servicetype          VARCHAR2(300),
  conntypename         VARCHAR2(300),
  sequence             NUMBER(10),
  qospolicylistname    VARCHAR2(300),
  policyname           VARCHAR2(300)
);

CREATE TABLE CUSTCONNADDRTYPES (
  networkid            NUMBER(10),
  servicetype          VARCHAR2(300),
  conntypename         VARCHAR2(300),
  sequence             NUMBER(10),
  addrtype             VARCHAR2(300)
);

CREATE TABLE CUSTCONNNODES (
  networkid            NUMBER(10),
  servicetype          VARCHAR2(300),
  conntypename         VARCHAR2(300),
  nodetype             VARCHAR2(300),
  noofnodeinstance     NUMBER(10)
);

CREATE TABLE CUSTCONNNODESLB (
  networkid            NUMBER(10),
  servicetype          VARCHAR2(300),
  conntypename         VARCHAR2(300),
  nodetype             VARCHAR2(300),
  nodeinstance         NUMBER(10),
  loopbacktype         VARCHAR2(300),
  isloopback           NUMBER(10),
  lbinstance           VARCHAR2(300)
);

CREATE TABLE CUSTCONNINTERFACES (
  networkid            NUMBER(10),
  servicetype          VARCHAR2(300),
  conntypename         VARCHAR2(300),
  nodetype             VARCHAR2(300),
  nodeinstance         NUMBER(10),
  connectionname       VARCHAR2(300),
  instanceno           NUMBER(10),
  interfacetype        VARCHAR2(300),
  encapsulationtype    VARCHAR2(300),
  remotedomain         VARCHAR2(300),
  remotenodetype       VARCHAR2(300)
);

CREATE TABLE CUSTVARS (
  networkid            NUMBER(10),
  servicetype          VARCHAR2(300),
  conntypename         VARCHAR2(300),
  sequence             NUMBER(10),
  variablename         VARCHAR2(300),
  displayname          VARCHAR2(300),
  variabletype         VARCHAR2(300),
  updatestatus         VARCHAR2(300),
  isoptional           NUMBER(10),
  minvalue             NUMBER(10),
  maxvalue             NUMBER(10),
  defaultvalue         VARCHAR2(300),
  listname             VARCHAR2(300),
  variablevalue        VARCHAR2(300),
  uniquec              VARCHAR2(300)
);

CREATE TABLE CUSTNODEVARS (
  networkid            NUMBER(10),
  servicetype          VARCHAR2(300),
  conntypename         VARCHAR2(300),
  nodetype             VARCHAR2(300),
  nodeinstance         NUMBER(10),
  variablename         VARCHAR2(300),
  variablevalue        VARCHAR2(300)
);

CREATE TABLE CUSTCONNVARS (
  networkid            NUMBER(10),
  servicetype          VARCHAR2(300),
  conntypename         VARCHAR2(300),
  nodetype             VARCHAR2(300),
  nodeinstance         NUMBER(10),
  connectionname       VARCHAR2(300),
  instanceno           NUMBER(10),
  variablename         VARCHAR2(300),
  variablevalue        VARCHAR2(300)
);

CREATE TABLE CUSTCONNHSRPVARS (
  networkid            NUMBER(10),
  servicetype          VARCHAR2(300),
  conntypename         VARCHAR2(300),
  nodetype             VARCHAR2(300),
  nodeinstance         NUMBER(10),
  connectionname       VARCHAR2(300),
  instanceno           NUMBER(10),
  sequenceno           NUMBER(10),
  variablename         VARCHAR2(300),
  variablevalue        VARCHAR2(300)
);

CREATE TABLE CUSTCONNFILTERS (
  networkid            NUMBER(10),
  servicetype          VARCHAR2(300),
  conntypename         VARCHAR2(300),
  nodetype             VARCHAR2(300),
  nodeinstance         NUMBER(10),
  connectionname       VARCHAR2(300),
  instanceno           NUMBER(10),
  remotevariablename   VARCHAR2(300),
  remotevarcondition   VARCHAR2(300)
);

CREATE TABLE DOMAINSTATICROUTE (
  networkid            NUMBER(10),
  domainname           VARCHAR2(300),
  nodetype             VARCHAR2(300),
  protocol             VARCHAR2(300),
  addrno               NUMBER(10),
  context1             VARCHAR2(300),
  context2             VARCHAR2(300),
  context3             VARCHAR2(300),
  sourceaddr           VARCHAR2(300),
  sourcemask           NUMBER(10),
  destination          VARCHAR2(300),
  weight               VARCHAR2(300),
  ndlversion           NUMBER(10)
);

CREATE TABLE DOMAINPROTOCOLS (
  networkid            NUMBER(10),
  domainname           VARCHAR2(300),
  nodetype             VARCHAR2(300),
  protocol             VARCHAR2(300),
  asn                  VARCHAR2(300),
  mandatory            VARCHAR2(300),
  routerid             VARCHAR2(300),
  clusterid            VARCHAR2(300),
  usagecondition       VARCHAR2(300),
  ndlversion           NUMBER(10)
);

CREATE TABLE DOMAINPASSIVEINT (
  networkid            NUMBER(10),
  domainname           VARCHAR2(300),
  nodetype             VARCHAR2(300),
  protocol             VARCHAR2(300),
  asn                  VARCHAR2(300),
  interfacename        VARCHAR2(300),
  ndlversion           NUMBER(10)
);

CREATE TABLE DOMAINADDRSUMMARY (
  networkid            NUMBER(10),
  domainname           VARCHAR2(300),
  nodetype             VARCHAR2(300),
  protocol             VARCHAR2(300),
  asn                  VARCHAR2(300),
  summary              VARCHAR2(300),
  prefix               NUMBER(10),
  tag                  VARCHAR2(300),
  ndlversion           NUMBER(10)
);

CREATE TABLE DOMAINBGPNETWORK (
  networkid            NUMBER(10),
  domainname           VARCHAR2(300),
  nodetype             VARCHAR2(300),
  protocol             VARCHAR2(300),
  asn                  VARCHAR2(300),
  networkno            NUMBER(10),
  networkaddr          VARCHAR2(300),
  networkmask          NUMBER(10),
  routemapname         VARCHAR2(300),
  ndlversion           NUMBER(10)
);

CREATE TABLE DOMAINREDIST (
  networkid            NUMBER(10),
  domainname           VARCHAR2(300),
  nodetype             VARCHAR2(300),
  protocol             VARCHAR2(300),
  asn                  VARCHAR2(300),
  redistprotocol       VARCHAR2(300),
  redistasn            VARCHAR2(300),
  metric               VARCHAR2(300),
  metrictype           VARCHAR2(300),
  route_map            VARCHAR2(300),
  tag                  VARCHAR2(300),
  weight               VARCHAR2(300),
  match                VARCHAR2(300),
  ndlversion           NUMBER(10),
  context1             VARCHAR2(300), -- versioned only
  context2             VARCHAR2(300), -- versioned only
  context3             VARCHAR2(300), -- versioned only
  sequence             NUMBER(10) -- versioned only
);

CREATE TABLE DOMAINOSPFDEFAULT (
  networkid            NUMBER(10),
  domainname           VARCHAR2(300),
  nodetype             VARCHAR2(300),
  protocol             VARCHAR2(300),
  asn                  VARCHAR2(300),
  metric               VARCHAR2(300),
  metrictype           VARCHAR2(300),
  routemap             VARCHAR2(300),
  ndlversion           NUMBER(10)
);

CREATE TABLE DOMAINNODEAREAS (
  networkid            NUMBER(10),
  domainname           VARCHAR2(300),
  nodetype             VARCHAR2(300),
  routingprotocol      VARCHAR2(300),
  routedprotocol       VARCHAR2(300),
  asn                  VARCHAR2(300),
  areaid               VARCHAR2(300),
  sequenceno           NUMBER(10),
  summaryaddr          VARCHAR2(300),
  summarmask           NUMBER(10),
  stubtype             VARCHAR2(300),
  ndlversion           NUMBER(10)
);

CREATE TABLE DOMAINNODEAREARANGES (
  networkid            NUMBER(10),
  domainname           VARCHAR2(300),
  nodetype             VARCHAR2(300),
  routingprotocol      VARCHAR2(300),
  routedprotocol       VARCHAR2(300),
  asn                  VARCHAR2(300),
  areaid               VARCHAR2(300),
  sequenceno           NUMBER(10),
  subsequenceno        NUMBER(10),
  summaryaddr          VARCHAR2(300),
  summarmask           NUMBER(10),
  ndlversion           NUMBER(10)
);

CREATE TABLE DOMAINCONNAREAS (
  networkid            NUMBER(10),
  domainname           VARCHAR2(300),
  nodetype             VARCHAR2(300),
  routingprotocol      VARCHAR2(300),
  routedprotocol       VARCHAR2(300),
  asn                  VARCHAR2(300),
  sequenceno           NUMBER(10),
  namedinterface       VARCHAR2(300),
  summaryaddr          VARCHAR2(300),
  summarmask           NUMBER(10),
  authenticated        NUMBER(10),
  ndlversion           NUMBER(10)
);

CREATE TABLE DOMAINDISTLIST (
  networkid            NUMBER(10),
  domainname           VARCHAR2(300),
  nodetype             VARCHAR2(300),
  protocol             VARCHAR2(300),
  sequence             NUMBER(10),
  asn                  VARCHAR2(300),
  context1             VARCHAR2(300),
  context2             VARCHAR2(300),
  context3             VARCHAR2(300),
  listtype             NUMBER(10),
  acl                  VARCHAR2(300),
  direction            VARCHAR2(300),
  type                 NUMBER(10),
  interfacename        VARCHAR2(300),
  redistprotocol       VARCHAR2(300),
  redistasn            VARCHAR2(300),
  ndlversion           NUMBER(10)
);

CREATE TABLE DOMAINBGPADDRAGRR (
  networkid            NUMBER(10),
  domainname           VARCHAR2(300),
  nodetype             VARCHAR2(300),
  networkno            NUMBER(10),
  networkaddr          VARCHAR2(300),
  networkprefix        NUMBER(10),
  asset                NUMBER(10),
  summaryonly          NUMBER(10),
  advertisemap         VARCHAR2(300),
  supressmap           VARCHAR2(300),
  attributemap         VARCHAR2(300),
  context1             VARCHAR2(300), -- versioned only
  context2             VARCHAR2(300), -- versioned only
  context3             VARCHAR2(300), -- versioned only
  ndlversion           NUMBER(10)
);

CREATE TABLE DOMAINBGPPEER (
  networkid            NUMBER(10),
  domainname           VARCHAR2(300),
  nodetype             VARCHAR2(300),
  peername             VARCHAR2(300),
  updatesource         VARCHAR2(300),
  remoteas             VARCHAR2(300),
  passwordreqd         NUMBER(10),
  routemapin           VARCHAR2(300),
  routemapout          VARCHAR2(300),
  filterlistin         VARCHAR2(300),
  filterlistout        VARCHAR2(300),
  distlistin           VARCHAR2(300),
  distlistout          VARCHAR2(300),
  prefixlistin         VARCHAR2(300),
  prefixlistout        VARCHAR2(300),
  routereflector       NUMBER(10),
  nexthopself          NUMBER(10),
  weight               VARCHAR2(300),
  ebgp_multihop        VARCHAR2(300),
  defaultoriginate     NUMBER(10),
  defaultoriginate_rm  VARCHAR2(300),
  sendcommunity        NUMBER(10),
  ndlversion           NUMBER(10)
);

CREATE TABLE DOMAINBGPINFO (
  networkid            NUMBER(10),
  domainname           VARCHAR2(300),
  nodetype             VARCHAR2(300),
  sequence             NUMBER(10),
  neighbor             VARCHAR2(300),
  context1             VARCHAR2(300),
  context2             VARCHAR2(300),
  context3             VARCHAR2(300),
  updatesource         VARCHAR2(300),
  remoteas             VARCHAR2(300),
  passwordreqd         NUMBER(10),
  routemapin           VARCHAR2(300),
  routemapout          VARCHAR2(300),
  filterlistin         VARCHAR2(300),
  filterlistout        VARCHAR2(300),
  distlistin           VARCHAR2(300),
  distlistout          VARCHAR2(300),
  prefixlistin         VARCHAR2(300),
  prefixlistout        VARCHAR2(300),
  routereflector       NUMBER(10),
  nexthopself          NUMBER(10),
  weight               VARCHAR2(300),
  ebgpmultihop         VARCHAR2(300),
  defaultoriginate     NUMBER(10),
  defaultoriginate_rm  VARCHAR2(300),
  sendcommunity        NUMBER(10),
  peername             VARCHAR2(300),
  ndlversion           NUMBER(10)
);

CREATE TABLE DOMAINBGPPEERRULE (
  networkid            NUMBER(10),
  domainname           VARCHAR2(300),
  nodetype             VARCHAR2(300),
  peername             VARCHAR2(300),
  variablename         VARCHAR2(300),
  variablevalue        VARCHAR2(300),
  ndlversion           NUMBER(10)
);

CREATE TABLE DOMAINOFFSETLIST (
  networkid            NUMBER(10),
  domainname           VARCHAR2(300),
  nodetype             VARCHAR2(300),
  protocol             VARCHAR2(300),
  sequence             NUMBER(10),
  context1             VARCHAR2(300),
  context2             VARCHAR2(300),
  context3             VARCHAR2(300),
  acl                  VARCHAR2(300),
  direction            VARCHAR2(300),
  offset               VARCHAR2(300),
  interfacename        VARCHAR2(300),
  ndlversion           NUMBER(10)
);

CREATE TABLE PIMRPCLASS (
  networkid            NUMBER(10),
  domainname           VARCHAR2(300),
  nodetype             VARCHAR2(300),
  sequence             NUMBER(10),
  context1             VARCHAR2(300),
  context2             VARCHAR2(300),
  context3             VARCHAR2(300),
  mcastmode            VARCHAR2(300),
  rpaddress            VARCHAR2(300),
  rpacl                VARCHAR2(300),
  ndlversion           NUMBER(10)
);

CREATE TABLE PIMACCEPTCLASS (
  networkid            NUMBER(10),
  domainname           VARCHAR2(300),
  nodetype             VARCHAR2(300),
  sequence             NUMBER(10),
  context1             VARCHAR2(300),
  context2             VARCHAR2(300),
  context3             VARCHAR2(300),
  acceptrpaddr         VARCHAR2(300),
  acceptrpacl          VARCHAR2(300),
  autorp               NUMBER(10),
  ndlversion           NUMBER(10)
);

CREATE TABLE PIMBSRCLASS (
  networkid            NUMBER(10),
  domainname           VARCHAR2(300),
  nodetype             VARCHAR2(300),
  sequence             NUMBER(10),
  context1             VARCHAR2(300),
  context2             VARCHAR2(300),
  context3             VARCHAR2(300),
  bsrcandint           VARCHAR2(300),
  bsrcandmasklen       VARCHAR2(300),
  priority             VARCHAR2(300),
  ndlversion           NUMBER(10)
);

CREATE TABLE PIMREGISTERCLASS (
  networkid            NUMBER(10),
  domainname           VARCHAR2(300),
  nodetype             VARCHAR2(300),
  registersource       VARCHAR2(300),
  registerrate         VARCHAR2(300),
  acceptregisteracl    VARCHAR2(300),
  acceptregisterrate   VARCHAR2(300),
  ndlversion           NUMBER(10)
);

CREATE TABLE PIMMEMBERRATECLASS (
  networkid            NUMBER(10),
  domainname           VARCHAR2(300),
  nodetype             VARCHAR2(300),
  namedinterface       VARCHAR2(300),
  sequence             NUMBER(10),
  context1             VARCHAR2(300),
  context2             VARCHAR2(300),
  context3             VARCHAR2(300),
  direction            VARCHAR2(300),
  rate                 VARCHAR2(300),
  grouplist            VARCHAR2(300),
  sourcelist           VARCHAR2(300),
  ndlversion           NUMBER(10)
);

CREATE TABLE PIMMEMBERCLASS (
  networkid            NUMBER(10),
  domainname           VARCHAR2(300),
  nodetype             VARCHAR2(300),
  sequence             NUMBER(10),
  context1             VARCHAR2(300),
  context2             VARCHAR2(300),
  context3             VARCHAR2(300),
  namedinterface       VARCHAR2(300),
  mcastmode            VARCHAR2(300),
  neighborfilter       VARCHAR2(300),
  inrate               VARCHAR2(300),
  boundaryacl          VARCHAR2(300),
  ndlversion           NUMBER(10)
);

CREATE TABLE PIMRPFILTERCLASS (
  networkid            NUMBER(10),
  domainname           VARCHAR2(300),
  nodetype             VARCHAR2(300),
  sequence             NUMBER(10),
  context1             VARCHAR2(300),
  context2             VARCHAR2(300),
  context3             VARCHAR2(300),
  rpfilter             VARCHAR2(300),
  rpgroupfilter        VARCHAR2(300),
  ndlversion           NUMBER(10)
);

CREATE TABLE PIMAUTORPCLASS (
  networkid            NUMBER(10),
  domainname           VARCHAR2(300),
  nodetype             VARCHAR2(300),
  sequence             NUMBER(10),
  context1             VARCHAR2(300),
  context2             VARCHAR2(300),
  context3             VARCHAR2(300),
  discoverint          VARCHAR2(300),
  ndlversion           NUMBER(10)
);

CREATE TABLE MSDPCLASS (
  networkid            NUMBER(10),
  domainname           VARCHAR2(300),
  nodetype             VARCHAR2(300),
  redistacl            VARCHAR2(300),
  redistasnpathacl     VARCHAR2(300),
  redistroutemap       VARCHAR2(300),
  originatorid         VARCHAR2(300),
  borderasaddr         VARCHAR2(300),
  ndlversion           NUMBER(10)
);

CREATE TABLE MSDPNEIGHBORCLASS (
  networkid            NUMBER(10),
  domainname           VARCHAR2(300),
  nodetype             VARCHAR2(300),
  sequence             NUMBER(10),
  neighbor             VARCHAR2(300),
  context1             VARCHAR2(300),
  context2             VARCHAR2(300),
  context3             VARCHAR2(300),
  connectsource        VARCHAR2(300),
  remoteas             VARCHAR2(300),
  description          VARCHAR2(300),
  safilterinacl        VARCHAR2(300),
  safilteroutacl       VARCHAR2(300),
  safilterinmap        VARCHAR2(300),
  safilteroutmap       VARCHAR2(300),
  defaultpeer          NUMBER(10),
  defprefixlist        VARCHAR2(300),
  meshgroup            VARCHAR2(300),
  ndlversion           NUMBER(10)
);

CREATE TABLE IGMPINTCLASS (
  networkid            NUMBER(10),
  domainname           VARCHAR2(300),
  nodetype             VARCHAR2(300),
  sequence             NUMBER(10),
  context1             VARCHAR2(300),
  context2             VARCHAR2(300),
  context3             VARCHAR2(300),
  namedinterface       VARCHAR2(300),
  accessgroup          VARCHAR2(300),
  ndlversion           NUMBER(10)
);

CREATE TABLE IGMPINTADDRCLASS (
  networkid            NUMBER(10),
  domainname           VARCHAR2(300),
  nodetype             VARCHAR2(300),
  context1             VARCHAR2(300),
  context2             VARCHAR2(300),
  context3             VARCHAR2(300),
  namedinterface       VARCHAR2(300),
  sequence             NUMBER(10),
  addrtype             VARCHAR2(300),
  groupaddress         VARCHAR2(300),
  ndlversion           NUMBER(10)
);

CREATE TABLE DVMRPINTCLASS (
  networkid            NUMBER(10),
  domainname           VARCHAR2(300),
  nodetype             VARCHAR2(300),
  sequence             NUMBER(10),
  context1             VARCHAR2(300),
  context2             VARCHAR2(300),
  context3             VARCHAR2(300),
  namedinterface       VARCHAR2(300),
  metric               VARCHAR2(300),
  metricacl            VARCHAR2(300),
  acceptfilter         VARCHAR2(300),
  neighborfilter       VARCHAR2(300),
  summaryaddr          VARCHAR2(300),
  summarymask          VARCHAR2(300),
  summarymetric        VARCHAR2(300),
  inoffset             VARCHAR2(300),
  outoffset            VARCHAR2(300),
  ndlversion           NUMBER(10)
);

CREATE TABLE DOMAINROUTEMAP (
  networkid            NUMBER(10),
  domainname           VARCHAR2(300),
  nodetype             VARCHAR2(300),
  context1             VARCHAR2(300),
  context2             VARCHAR2(300),
  context3             VARCHAR2(300),
  routemap             VARCHAR2(300),
  usage                VARCHAR2(300),
  owner                VARCHAR2(300),
  sequence             NUMBER(10),
  type                 VARCHAR2(300),
  repeatby             VARCHAR2(300),
  mapseqinc            NUMBER(10),
  ndlversion           NUMBER(10)
);

CREATE TABLE ROUTEMAPMATCHLIST (
  networkid            NUMBER(10),
  domainname           VARCHAR2(300),
  nodetype             VARCHAR2(300),
  routemap             VARCHAR2(300),
  sequence             NUMBER(10),
  matchsequence        NUMBER(10),
  matchtype            VARCHAR2(300),
  matchvalue           VARCHAR2(300),
  ndlversion           NUMBER(10)
);

CREATE TABLE ROUTEMAPSETLIST (
  networkid            NUMBER(10),
  domainname           VARCHAR2(300),
  nodetype             VARCHAR2(300),
  routemap             VARCHAR2(300),
  sequence             NUMBER(10),
  setsequence          NUMBER(10),
  settype              VARCHAR2(300),
  setvalue             VARCHAR2(300),
  ndlversion           NUMBER(10)
);

CREATE TABLE DOMAINACCESSLIST (
  networkid            NUMBER(10),
  domainname           VARCHAR2(300),
  nodetype             VARCHAR2(300),
  sequence             NUMBER(10),
  acltype              VARCHAR2(300),
  nametype             VARCHAR2(300),
  aclname              VARCHAR2(300),
  aclstart             NUMBER(10),
  aclinc               NUMBER(10),
  owner                VARCHAR2(300),
  context1             VARCHAR2(300),
  context2             VARCHAR2(300),
  context3             VARCHAR2(300),
  direction            VARCHAR2(300),
  usage                VARCHAR2(300),
  ndlversion           NUMBER(10)
);

CREATE TABLE DOMAINEXTACL (
  networkid            NUMBER(10),
  domainname           VARCHAR2(300),
  nodetype             VARCHAR2(300),
  sequence             NUMBER(10),
  subsequence          NUMBER(10),
  repeatby             VARCHAR2(300),
  type                 VARCHAR2(300),
  protocol             VARCHAR2(300),
  hostnetworkno        VARCHAR2(300),
  hostdncb             NUMBER(10),
  mask                 NUMBER(10),
  maskdncb             NUMBER(10),
  ndlversion           NUMBER(10)
);

CREATE TABLE DOMAINACLLIST (
  networkid            NUMBER(10),
  domainname           VARCHAR2(300),
  nodetype             VARCHAR2(300),
  sequence             NUMBER(10),
  subsequence          NUMBER(10),
  repeatby             VARCHAR2(300),
  type                 VARCHAR2(300),
  protocoltype         VARCHAR2(300),
  protocol             VARCHAR2(300),
  source               VARCHAR2(300),
  sourceprefix         NUMBER(10),
  sourceportoptype     VARCHAR2(300),
  sourceportop         VARCHAR2(300),
  sourceporttype       VARCHAR2(300),
  sourceport           VARCHAR2(300),
  dest                 VARCHAR2(300),
  destprefix           NUMBER(10),
  destportoptype       VARCHAR2(300),
  destportop           VARCHAR2(300),
  destporttype         VARCHAR2(300),
  destport             VARCHAR2(300),
  precedence           VARCHAR2(300),
  tos                  VARCHAR2(300),
  established          NUMBER(10),
  log                  NUMBER(10),
  ndlversion           NUMBER(10)
);

CREATE TABLE DOMAINPREFIXHDR (
  networkid            NUMBER(10),
  domainname           VARCHAR2(300),
  nodetype             VARCHAR2(300),
  sequence             NUMBER(10),
  context1             VARCHAR2(300),
  context2             VARCHAR2(300),
  context3             VARCHAR2(300),
  listname             VARCHAR2(300),
  ndlversion           NUMBER(10)
);

CREATE TABLE DOMAINPREFIXLIST (
  networkid            NUMBER(10),
  domainname           VARCHAR2(300),
  nodetype             VARCHAR2(300),
  sequence             NUMBER(10),
  subsequence          NUMBER(10),
  repeatby             VARCHAR2(300),
  type                 VARCHAR2(300),
  network              VARCHAR2(300),
  length               NUMBER(10),
  lelen                NUMBER(10),
  gelen                NUMBER(10),
  ndlversion           NUMBER(10)
);

CREATE TABLE DOMAINFILTERLIST (
  networkid            NUMBER(10),
  domainname           VARCHAR2(300),
  nodetype             VARCHAR2(300),
  sequence             NUMBER(10),
  aclseqstart          VARCHAR2(300), -- older layout: NUMBER(10)
  aclseqinc            NUMBER(10),
  context1             VARCHAR2(300),
  context2             VARCHAR2(300),
  context3             VARCHAR2(300),
  filtertype           VARCHAR2(300),
  type                 VARCHAR2(300),
  substring            VARCHAR2(300),
  ndlversion           NUMBER(10)
);

CREATE TABLE DOMAINQUEUES (
  networkid            NUMBER(10),
  domainname           VARCHAR2(300),
  nodetype             VARCHAR2(300),
  queuetype            VARCHAR2(300),
  queuename            VARCHAR2(300),
  classifiertype       VARCHAR2(300),
  usage                VARCHAR2(300),
  owner                VARCHAR2(300),
  ndlversion           NUMBER(10)
);

CREATE TABLE DOMAINCUSTSUBQ (
  networkid            NUMBER(10),
  domainname           VARCHAR2(300),
  nodetype             VARCHAR2(300),
  queuename            VARCHAR2(300),
  subqueuename         VARCHAR2(300),
  classifier           VARCHAR2(300),
  isdefault            NUMBER(10),
  bytecount            VARCHAR2(300),
  ndlversion           NUMBER(10)
);

CREATE TABLE DOMAINMAPCLASS (
  networkid            NUMBER(10),
  domainname           VARCHAR2(300),
  nodetype             VARCHAR2(300),
  mapclassname         VARCHAR2(300),
  context1             VARCHAR2(300),
  context2             VARCHAR2(300),
  context3             VARCHAR2(300),
  usage                VARCHAR2(300),
  owner                VARCHAR2(300),
  burstsizein          VARCHAR2(300),
  burstexcessin        VARCHAR2(300),
  cirin                VARCHAR2(300),
  burstsizeout         VARCHAR2(300),
  burstexcessout       VARCHAR2(300),
  cirout               VARCHAR2(300),
  customqueue          VARCHAR2(300),
  priorityqueue        VARCHAR2(300),
  average              VARCHAR2(300),
  peak                 VARCHAR2(300),
  ndlversion           NUMBER(10)
);

CREATE TABLE SERVICEENROLLVARS (
  networkid            NUMBER(10),
  sequence             NUMBER(10),
  variablename         VARCHAR2(300),
  displayname          VARCHAR2(300),
  variabletype         VARCHAR2(300),
  updatestatus         VARCHAR2(300),
  isoptional           NUMBER(10),
  minvalue             NUMBER(10),
  maxvalue             NUMBER(10),
  defaultvalue         VARCHAR2(300),
  listname             VARCHAR2(300),
  variablevalue        VARCHAR2(300),
  uniquec              VARCHAR2(300)
);

CREATE TABLE QOSPOLICERULECLASS (
  networkid            NUMBER(10),
  domainname           VARCHAR2(300),
  nodetype             VARCHAR2(300),
  owner                VARCHAR2(300),
  usage1               VARCHAR2(300),
  usage2               VARCHAR2(300),
  context1             VARCHAR2(300),
  context2             VARCHAR2(300),
  context3             VARCHAR2(300),
  policerulename       VARCHAR2(300),
  sequence             NUMBER(10),
  matchrulename        VARCHAR2(300),
  bitrate              VARCHAR2(300),
  burstsize            VARCHAR2(300),
  excessburstsize      VARCHAR2(300),
  exceedrate           VARCHAR2(300),
  violaterate          VARCHAR2(300),
  repeatby             VARCHAR2(300),
  ndlversion           NUMBER(10)
);

CREATE TABLE QOSPOLICEACTIONCLASS (
  networkid            NUMBER(10),
  domainname           VARCHAR2(300),
  nodetype             VARCHAR2(300),
  owner                VARCHAR2(300),
  usage1               VARCHAR2(300),
  usage2               VARCHAR2(300),
  context1             VARCHAR2(300),
  context2             VARCHAR2(300),
  context3             VARCHAR2(300),
  policerulename       VARCHAR2(300),
  sequence             NUMBER(10),
  subsequence          NUMBER(10),
  actiontype           VARCHAR2(300),
  action               VARCHAR2(300),
  actionvalue          VARCHAR2(300),
  repeatby             VARCHAR2(300),
  ndlversion           NUMBER(10)
);

CREATE TABLE QOSDROPRULECLASS (
  networkid            NUMBER(10),
  domainname           VARCHAR2(300),
  nodetype             VARCHAR2(300),
  owner                VARCHAR2(300),
  usage1               VARCHAR2(300),
  usage2               VARCHAR2(300),
  context1             VARCHAR2(300),
  context2             VARCHAR2(300),
  context3             VARCHAR2(300),
  droprulename         VARCHAR2(300),
  droptype             VARCHAR2(300),
  sequence             NUMBER(10),
  dropsubtype          VARCHAR2(300),
  dropparam1           VARCHAR2(300),
  dropparam2           VARCHAR2(300),
  repeatby             VARCHAR2(300),
  ndlversion           NUMBER(10)
);

CREATE TABLE QOSSHAPERULECLASS (
  networkid            NUMBER(10),
  domainname           VARCHAR2(300),
  nodetype             VARCHAR2(300),
  owner                VARCHAR2(300),
  usage1               VARCHAR2(300),
  usage2               VARCHAR2(300),
  context1             VARCHAR2(300),
  context2             VARCHAR2(300),
  context3             VARCHAR2(300),
  shaperulename        VARCHAR2(300),
  sequence             NUMBER(10),
  matchrulename        VARCHAR2(300),
  bitratetype          VARCHAR2(300),
  bitrate              VARCHAR2(300),
  sustainedrate        VARCHAR2(300),
  excessrate           VARCHAR2(300),
  burstsize            VARCHAR2(300),
  excessburstsize      VARCHAR2(300),
  queuelength          VARCHAR2(300),
  repeatby             VARCHAR2(300),
  ndlversion           NUMBER(10)
);

CREATE TABLE QOSMARKRULECLASS (
  networkid            NUMBER(10),
  domainname           VARCHAR2(300),
  nodetype             VARCHAR2(300),
  owner                VARCHAR2(300),
  usage1               VARCHAR2(300),
  usage2               VARCHAR2(300),
  context1             VARCHAR2(300),
  context2             VARCHAR2(300),
  context3             VARCHAR2(300),
  markrulename         VARCHAR2(300),
  sequence             NUMBER(10),
  marktype             VARCHAR2(300),
  markvalue            VARCHAR2(300),
  repeatby             VARCHAR2(300),
  ndlversion           NUMBER(10)
);

CREATE TABLE QOSMATCHRULECLASS (
  networkid            NUMBER(10),
  domainname           VARCHAR2(300),
  nodetype             VARCHAR2(300),
  owner                VARCHAR2(300),
  usage1               VARCHAR2(300),
  usage2               VARCHAR2(300),
  context1             VARCHAR2(300),
  context2             VARCHAR2(300),
  context3             VARCHAR2(300),
  matchrulename        VARCHAR2(300),
  matchdnf             NUMBER(10),
  sequence             NUMBER(10),
  matchtype            VARCHAR2(300),
  matchvalue           VARCHAR2(300),
  matchnegated         NUMBER(10),
  repeatby             VARCHAR2(300),
  ndlversion           NUMBER(10)
);

CREATE TABLE QOSPOLICYCLASS (
  networkid            NUMBER(10),
  domainname           VARCHAR2(300),
  nodetype             VARCHAR2(300),
  policyname           VARCHAR2(300),
  policyid             NUMBER(10),
  owner                VARCHAR2(300),
  usage1               VARCHAR2(300),
  usage2               VARCHAR2(300),
  mandatory            NUMBER(10),
  context1             VARCHAR2(300),
  context2             VARCHAR2(300),
  context3             VARCHAR2(300),
  classrulename        VARCHAR2(300),
  direction            VARCHAR2(300),
  queuetype            VARCHAR2(300),
  markrule             VARCHAR2(300),
  policerule           VARCHAR2(300),
  shaperule            VARCHAR2(300),
  droprule             VARCHAR2(300),
  ndlversion           NUMBER(10)
);

CREATE TABLE QOSSUBQUEUECLASS (
  networkid            NUMBER(10),
  domainname           VARCHAR2(300),
  nodetype             VARCHAR2(300),
  classrulename        VARCHAR2(300),
  classtype            VARCHAR2(300),
  direction            VARCHAR2(300),
  context1             VARCHAR2(300),
  context2             VARCHAR2(300),
  context3             VARCHAR2(300),
  policyid             NUMBER(10),
  classname            VARCHAR2(300),
  queuetype            VARCHAR2(300),
  sequence             NUMBER(10),
  subqueuename         VARCHAR2(300),
  queuebandwidth       VARCHAR2(300),
  queuebwtype          VARCHAR2(300),
  queuelength          VARCHAR2(300),
  queuebytespercycle   VARCHAR2(300),
  queuepriority        VARCHAR2(300),
  isdefault            NUMBER(10),
  fairqueuecount       VARCHAR2(300),
  matchrule            VARCHAR2(300),
  matchdnf             NUMBER(10),
  markrule             VARCHAR2(300),
  policerule           VARCHAR2(300),
  shaperule            VARCHAR2(300),
  droprule             VARCHAR2(300),
  repeatby             VARCHAR2(300),
  ndlversion           NUMBER(10)
);

-- Instance tables that other applications of the repository keep; the
-- loader only counts their live rows.
CREATE TABLE custsite (
  networkid            NUMBER(10),
  version              NUMBER(10),
  customerid           NUMBER(10),
  seqno                NUMBER(10),
  connectiontype       VARCHAR2(300),
  changetype           NUMBER(10)
);

CREATE TABLE nodeconn (
  networkid            NUMBER(10),
  version              NUMBER(10),
  connectionid         NUMBER(10),
  seqno                NUMBER(10),
  connectionname       VARCHAR2(300),
  changetype           NUMBER(10)
);

CREATE TABLE nodeinst (
  networkid            NUMBER(10),
  version              NUMBER(10),
  domainname           VARCHAR2(300),
  domainid             NUMBER(10),
  nodetype             VARCHAR2(300),
  nodeid               NUMBER(10),
  seqno                NUMBER(10),
  changetype           NUMBER(10)
);

CREATE TABLE domaininstance (
  networkid            NUMBER(10),
  version              NUMBER(10),
  domainname           VARCHAR2(300),
  domainid             NUMBER(10),
  seqno                NUMBER(10),
  changetype           NUMBER(10)
);

-- The instances of one design value are found by it: the live-instance
-- counts of the loader's checks read only those rows.
CREATE INDEX IF NOT EXISTS custsite_connectiontype ON custsite (networkid, connectiontype);
CREATE INDEX IF NOT EXISTS nodeconn_connectionname ON nodeconn (networkid, connectionname);
CREATE INDEX IF NOT EXISTS nodeinst_nodetype ON nodeinst (networkid, domainname, nodetype);
CREATE INDEX IF NOT EXISTS domaininstance_domainname ON domaininstance (networkid, domainname);

-- Sub-lists read back one query per parent record are found by the parent's
-- key, not by a walk of the whole table for each parent. Every column is one
-- the query fixes, so the rows of a parent come in the order they always did.
CREATE INDEX IF NOT EXISTS custconnqospolicy_conntype ON CUSTCONNQOSPOLICY (networkid, servicetype, conntypename);
CREATE INDEX IF NOT EXISTS custconnnodeslb_node ON CUSTCONNNODESLB (networkid, servicetype, conntypename, nodetype);
CREATE INDEX IF NOT EXISTS qospoliceactionclass_rule ON QOSPOLICEACTIONCLASS (networkid, domainname, nodetype, policerulename);
CREATE INDEX IF NOT EXISTS qossubqueueclass_class ON QOSSUBQUEUECLASS (networkid, domainname, nodetype, classrulename);

-- A policy version's rule rows live and die with its POLICYVERSIONS row:
-- a rewritten version never holds its rows twice, and initializing a
-- network leaves no older rules behind.
CREATE TRIGGER policyversions_rules AFTER DELETE ON POLICYVERSIONS -- versioned only
FOR EACH ROW BEGIN
  DELETE FROM DOMAINSTATICROUTE WHERE networkid = OLD.networkid AND ndlversion = OLD.ndlversion;
  DELETE FROM DOMAINPROTOCOLS WHERE networkid = OLD.networkid AND ndlversion = OLD.ndlversion;
  DELETE FROM DOMAINPASSIVEINT WHERE networkid = OLD.networkid AND ndlversion = OLD.ndlversion;
  DELETE FROM DOMAINADDRSUMMARY WHERE networkid = OLD.networkid AND ndlversion = OLD.ndlversion;
  DELETE FROM DOMAINBGPNETWORK WHERE networkid = OLD.networkid AND ndlversion = OLD.ndlversion;
  DELETE FROM DOMAINREDIST WHERE networkid = OLD.networkid AND ndlversion = OLD.ndlversion;
  DELETE FROM DOMAINOSPFDEFAULT WHERE networkid = OLD.networkid AND ndlversion = OLD.ndlversion;
  DELETE FROM DOMAINNODEAREAS WHERE networkid = OLD.networkid AND ndlversion = OLD.ndlversion;
  DELETE FROM DOMAINNODEAREARANGES WHERE networkid = OLD.networkid AND ndlversion = OLD.ndlversion;
  DELETE FROM DOMAINCONNAREAS WHERE networkid = OLD.networkid AND ndlversion = OLD.ndlversion;
  DELETE FROM DOMAINDISTLIST WHERE networkid = OLD.networkid AND ndlversion = OLD.ndlversion;
  DELETE FROM DOMAINBGPADDRAGRR WHERE networkid = OLD.networkid AND ndlversion = OLD.ndlversion;
  DELETE FROM DOMAINBGPPEER WHERE networkid = OLD.networkid AND ndlversion = OLD.ndlversion;
  DELETE FROM DOMAINBGPINFO WHERE networkid = OLD.networkid AND ndlversion = OLD.ndlversion;
  DELETE FROM DOMAINBGPPEERRULE WHERE networkid = OLD.networkid AND ndlversion = OLD.ndlversion;
  DELETE FROM DOMAINOFFSETLIST WHERE networkid = OLD.networkid AND ndlversion = OLD.ndlversion;
  DELETE FROM PIMRPCLASS WHERE networkid = OLD.networkid AND ndlversion = OLD.ndlversion;
  DELETE FROM PIMACCEPTCLASS WHERE networkid = OLD.networkid AND ndlversion = OLD.ndlversion;
  DELETE FROM PIMBSRCLASS WHERE networkid = OLD.networkid AND ndlversion = OLD.ndlversion;
  DELETE FROM PIMREGISTERCLASS WHERE networkid = OLD.networkid AND ndlversion = OLD.ndlversion;
  DELETE FROM PIMMEMBERRATECLASS WHERE networkid = OLD.networkid AND ndlversion = OLD.ndlversion;
  DELETE FROM PIMMEMBERCLASS WHERE networkid = OLD.networkid AND ndlversion = OLD.ndlversion;
  DELETE FROM PIMRPFILTERCLASS WHERE networkid = OLD.networkid AND ndlversion = OLD.ndlversion;
  DELETE FROM PIMAUTORPCLASS WHERE networkid = OLD.networkid AND ndlversion = OLD.ndlversion;
  DELETE FROM MSDPCLASS WHERE networkid = OLD.networkid AND ndlversion = OLD.ndlversion;
  DELETE FROM MSDPNEIGHBORCLASS WHERE networkid = OLD.networkid AND ndlversion = OLD.ndlversion;
  DELETE FROM IGMPINTCLASS WHERE networkid = OLD.networkid AND ndlversion = OLD.ndlversion;
  DELETE FROM IGMPINTADDRCLASS WHERE networkid = OLD.networkid AND ndlversion = OLD.ndlversion;
  DELETE FROM DVMRPINTCLASS WHERE networkid = OLD.networkid AND ndlversion = OLD.ndlversion;
  DELETE FROM DOMAINROUTEMAP WHERE networkid = OLD.networkid AND ndlversion = OLD.ndlversion;
  DELETE FROM ROUTEMAPMATCHLIST WHERE networkid = OLD.networkid AND ndlversion = OLD.ndlversion;
  DELETE FROM ROUTEMAPSETLIST WHERE networkid = OLD.networkid AND ndlversion = OLD.ndlversion;
  DELETE FROM DOMAINACCESSLIST WHERE networkid = OLD.networkid AND ndlversion = OLD.ndlversion;
  DELETE FROM DOMAINEXTACL WHERE networkid = OLD.networkid AND ndlversion = OLD.ndlversion;
  DELETE FROM DOMAINACLLIST WHERE networkid = OLD.networkid AND ndlversion = OLD.ndlversion;
  DELETE FROM DOMAINPREFIXHDR WHERE networkid = OLD.networkid AND ndlversion = OLD.ndlversion;
  DELETE FROM DOMAINPREFIXLIST WHERE networkid = OLD.networkid AND ndlversion = OLD.ndlversion;
  DELETE FROM DOMAINFILTERLIST WHERE networkid = OLD.networkid AND ndlversion = OLD.ndlversion;
  DELETE FROM DOMAINQUEUES WHERE networkid = OLD.networkid AND ndlversion = OLD.ndlversion;
  DELETE FROM DOMAINCUSTSUBQ WHERE networkid = OLD.networkid AND ndlversion = OLD.ndlversion;
  DELETE FROM DOMAINMAPCLASS WHERE networkid = OLD.networkid AND ndlversion = OLD.ndlversion;
  DELETE FROM QOSPOLICERULECLASS WHERE networkid = OLD.networkid AND ndlversion = OLD.ndlversion;
  DELETE FROM QOSPOLICEACTIONCLASS WHERE networkid = OLD.networkid AND ndlversion = OLD.ndlversion;
  DELETE FROM QOSDROPRULECLASS WHERE networkid = OLD.networkid AND ndlversion = OLD.ndlversion;
  DELETE FROM QOSSHAPERULECLASS WHERE networkid = OLD.networkid AND ndlversion = OLD.ndlversion;
  DELETE FROM QOSMARKRULECLASS WHERE networkid = OLD.networkid AND ndlversion = OLD.ndlversion;
  DELETE FROM QOSMATCHRULECLASS WHERE networkid = OLD.networkid AND ndlversion = OLD.ndlversion;
  DELETE FROM QOSPOLICYCLASS WHERE networkid = OLD.networkid AND ndlversion = OLD.ndlversion;
  DELETE FROM QOSSUBQUEUECLASS WHERE networkid = OLD.networkid AND ndlversion = OLD.ndlversion;
END;

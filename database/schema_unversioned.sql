-- The repository, older unversioned layout: what cfgload writes. No policy
-- versions; the policy tables carry no version column.

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

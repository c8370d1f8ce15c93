-- Delete network
DELETE NETWORKS WHERE networkid=1;
INSERT INTO NETWORKS VALUES (1,'SMALL','O''Brien Labs','1 Main St','Porto','PT','small.example','ext.small.example','ALL');


INSERT INTO PROJECT VALUES (1,1,'ALPHA','Initial Version',1,'tavlo',SYSDATE,SYSDATE,0,'');


-- Delete listvalues
DELETE LISTVALUES WHERE networkid=1;
INSERT INTO LISTVALUES VALUES (1,'KINDS','POP');
INSERT INTO LISTVALUES VALUES (1,'KINDS','CORE');


-- Delete domain
DELETE DOMAIN WHERE networkid=1
;
INSERT INTO DOMAIN VALUES (1,'EAST');


-- Delete domainvariables
DELETE DOMAINVARIABLES WHERE networkid=1;
INSERT INTO DOMAINVARIABLES VALUES (1,'EAST', 1,'COUNTRYCODE','COUNTRYCODE','STRING','FIXED-ASSIGNED',0,0,0,'','','PT','');
INSERT INTO DOMAINVARIABLES VALUES (1,'EAST', 2,'LOCATIONCODE','LOCATIONCODE','STRING','FIXED-ASSIGNED',0,0,0,'','','OPO','');
INSERT INTO DOMAINVARIABLES VALUES (1,'EAST', 3,'SITENAME','SITENAME','STRING','VARIABLE-UNASSIGNED',0,0,0,'','','','');


-- Delete domainnodes
DELETE DOMAINNODES WHERE networkid=1;


-- Delete domainnodevars
DELETE DOMAINNODEVARS WHERE networkid=1;


-- Delete domainservices
DELETE DOMAINSERVICES WHERE networkid=1;


-- Delete domainconnections
DELETE DOMAINCONNECTIONS WHERE networkid=1;


-- Delete domainfixedconns
DELETE DOMAINFIXEDCONN WHERE networkid=1;


-- Delete domainintnames
DELETE DOMAININTNAMES WHERE networkid=1;


-- Delete domainconnvars
DELETE DOMAINCONNVARS WHERE networkid=1;


-- Delete domainconntypes
DELETE DOMAINCONNTYPES WHERE networkid=1;


-- Delete domaininstancevars
DELETE DOMAININSTVARS WHERE networkid=1;


-- Delete domainremotetypes
DELETE DOMAINREMOTETYPES WHERE networkid=1;


-- Delete domaininttypes
DELETE DOMAININTTYPES WHERE networkid=1;


-- Delete hsrpmember
DELETE HSRPMEMBER WHERE networkid=1;


-- Delete hsrpconnections
DELETE HSRPCONNECTIONS WHERE networkid=1;


-- Delete domainconnfilters
DELETE DOMAINCONNFILTERS WHERE networkid=1;


-- Delete ipaddresspools
DELETE IPADDRESSPOOLS WHERE networkid=1;
INSERT INTO IPADDRESSPOOLS VALUES (1,'P1', 'IP', '10.0.0.1','10.0.0.254');


-- Delete addressassign
DELETE ADDRESSASSIGN WHERE networkid=1;


-- Delete addressdependency
DELETE ADDRESSDEPENDENCY WHERE networkid=1;


-- Delete domainnodeconnbkp
DELETE DOMAINNODECONNBKP WHERE networkid=1;


-- Delete domainnodelogint
DELETE DOMAINNODELOGINT WHERE networkid=1;


-- Delete domainstaticroute
DELETE DOMAINSTATICROUTE WHERE networkid=1;


-- Delete domainprotocols
DELETE DOMAINPROTOCOLS WHERE networkid=1;


-- Delete domainpassiveint
DELETE DOMAINPASSIVEINT WHERE networkid=1;


-- Delete domainaddrsummary
DELETE DOMAINADDRSUMMARY WHERE networkid=1;


-- Delete domainbgpnetwork
DELETE DOMAINBGPNETWORK WHERE networkid=1;


-- Delete domainredist
DELETE DOMAINREDIST WHERE networkid=1;


-- Delete domainospfdefault
DELETE DOMAINOSPFDEFAULT WHERE networkid=1;


-- Delete domainnodeareas
DELETE DOMAINNODEAREAS WHERE networkid=1;


-- Delete domainnodearearanges
DELETE DOMAINNODEAREARANGES WHERE networkid=1;


-- Delete domainconnareas
DELETE  DOMAINCONNAREAS WHERE networkid=1;


-- Delete domaindistlist
DELETE DOMAINDISTLIST WHERE networkid=1;


-- Delete domainbgpaddragrr
DELETE DOMAINBGPADDRAGRR WHERE networkid=1;


-- Delete domainbgppeer
DELETE DOMAINBGPPEER WHERE networkid=1;


-- Delete domainbgpinfo
DELETE DOMAINBGPINFO WHERE networkid=1;


-- Delete domainbgppeerrule
DELETE DOMAINBGPPEERRULE WHERE networkid=1;


-- Delete domainroutemap
DELETE DOMAINROUTEMAP WHERE networkid=1;


-- Delete routemapmatchlist
DELETE ROUTEMAPMATCHLIST WHERE networkid=1;


-- Delete routemapsetlist
DELETE ROUTEMAPSETLIST WHERE networkid=1;


-- Delete domainaccesslist
DELETE DOMAINACCESSLIST WHERE networkid=1;


-- Delete domainextacl
DELETE DOMAINEXTACL WHERE networkid=1;


-- Delete domainacllist
DELETE DOMAINACLLIST WHERE networkid=1;


-- Delete domainprefixhdr
DELETE DOMAINPREFIXHDR WHERE networkid=1;


-- Delete domainprefixlist
DELETE DOMAINPREFIXLIST WHERE networkid=1;


-- Delete domainfilterlist
DELETE DOMAINFILTERLIST WHERE networkid=1;


-- Delete domainqueues
DELETE DOMAINQUEUES WHERE networkid=1;


-- Delete domaincustsubq
DELETE DOMAINCUSTSUBQ WHERE networkid=1;


-- Delete domainnmapclass
DELETE DOMAINMAPCLASS WHERE networkid=1;


-- Delete networkvars
DELETE NETWORKVARS WHERE networkid=1;


-- Delete custconntypes
DELETE CUSTCONNTYPES WHERE networkid=1;


-- Delete custconnqospolicy
DELETE CUSTCONNQOSPOLICY WHERE networkid=1;


-- Delete custconnaddrtypes
DELETE CUSTCONNADDRTYPES WHERE networkid=1;


-- Delete apsmember
DELETE APSMEMBER WHERE networkid=1;


-- Delete custconnnodes
DELETE CUSTCONNNODES WHERE networkid=1;


-- Delete CUSTCONNNODESLB
DELETE CUSTCONNNODESLB WHERE networkid=1;


-- Delete custconninterfaces
DELETE CUSTCONNINTERFACES WHERE networkid=1;


-- Delete custvars
DELETE CUSTVARS WHERE networkid=1;


-- Delete servicenametypes
DELETE SERVICETYPENAMES WHERE networkid=1;


-- Delete servicetypes
DELETE SERVICETYPES WHERE networkid=1;


-- Delete servicetypevars
DELETE SERVICETYPEVARS WHERE networkid=1;


-- Delete pooltypes
DELETE POOLTYPES WHERE networkid=1;


-- Delete compooltypes
DELETE COMPOOLTYPES WHERE networkid=1;


-- Delete poolsequence
DELETE POOLSEQUENCE WHERE networkid=1;


-- Delete poolclass
DELETE POOLCLASS WHERE networkid=1;


-- Delete poolclassmapping
DELETE POOLCLASSMAPPING WHERE networkid=1;


-- Delete systemlistvalues
DELETE SYSTEMLISTVALUES  WHERE networkid=1;


-- Delete serviceenrollvars
DELETE SERVICEENROLLVARS WHERE networkid=1;


-- Delete policerule
DELETE QOSPOLICERULECLASS WHERE networkid=1
;


-- Delete policeactionrule
DELETE QOSPOLICEACTIONCLASS WHERE networkid=1
;


-- Delete QOSDROPRULECLASS
DELETE QOSDROPRULECLASS WHERE networkid=1
;


-- Delete QOSSHAPERULECLASS
DELETE QOSSHAPERULECLASS WHERE networkid=1
;


-- Delete markrule
DELETE QOSMARKRULECLASS WHERE networkid=1
;


-- Delete matchrule
DELETE QOSMATCHRULECLASS WHERE networkid=1
;


-- Delete QOSPOLICYCLASS
DELETE QOSPOLICYCLASS WHERE networkid=1
;


-- Delete QOSSUBQUEUECLASS
DELETE QOSSUBQUEUECLASS WHERE networkid=1
;


-- Delete custnodevars
DELETE CUSTNODEVARS WHERE networkid=1;


-- Delete custconnvars
DELETE CUSTCONNVARS WHERE networkid=1;


-- Delete custconnhsrpvars
DELETE CUSTCONNHSRPVARS WHERE networkid=1;


-- Delete custconnfilters
DELETE CUSTCONNFILTERS WHERE networkid=1;


-- Delete domainoffsetlist
DELETE DOMAINOFFSETLIST WHERE networkid=1;


-- Delete vcclass
DELETE VCCLASS WHERE networkid=1;


-- Delete vcmemberfilters
DELETE VCMEMBERFILTERS WHERE networkid=1;


-- Delete vcmemberclass
DELETE VCMEMBERCLASS WHERE networkid=1;


-- Delete Pimrpclass
DELETE PIMRPCLASS WHERE networkid=1;


-- Delete Pimacceptclass
DELETE PIMACCEPTCLASS WHERE networkid=1;


-- Delete Pimbsrclass
DELETE PIMBSRCLASS WHERE networkid=1;


-- Delete Pimregisterclass
DELETE PIMREGISTERCLASS WHERE networkid=1;


-- Delete Pimmemberrateclass
DELETE PIMMEMBERRATECLASS WHERE networkid=1;


-- Delete Pimmemberclass
DELETE PIMMEMBERCLASS WHERE networkid=1;


-- Delete Pimrpfilterclass
DELETE PIMRPFILTERCLASS WHERE networkid=1;


-- Delete Pimautorpclass
DELETE PIMAUTORPCLASS WHERE networkid=1;


-- Delete Msdpclass
DELETE MSDPCLASS WHERE networkid=1;


-- Delete MsdpNEIGHBORCLASS
DELETE MSDPNEIGHBORCLASS WHERE networkid=1;


-- Delete Igmpintclass
DELETE IGMPINTCLASS WHERE networkid=1;


-- Delete Igmpintaddrclass
DELETE IGMPINTADDRCLASS WHERE networkid=1;


-- Delete DVMRPINTCLASS
DELETE DVMRPINTCLASS WHERE networkid=1;



-- The indexes of a repository that holds several policy versions or
-- several networks. A version's rows are read, replaced and deleted by
-- their network and version, and a repository that keeps its versions for
-- years reads only the version it asks for. The sub-lists read one query per
-- parent carry the parent's key too. A repository of one network with one
-- version has none of them: every row is that version's, and keeping them on
-- every insert cost its 30 MB load about 950 M of 6,960 M instructions.
-- They are made in the transaction that stores the second network or
-- version, or at logon when a repository holds several already.
-- Versions are rows of: POLICYVERSIONS
-- Networks are rows of: NETWORKS
CREATE INDEX IF NOT EXISTS policyversions_version ON POLICYVERSIONS (networkid, ndlversion);
CREATE INDEX IF NOT EXISTS domainstaticroute_version ON DOMAINSTATICROUTE (networkid, ndlversion);
CREATE INDEX IF NOT EXISTS domainprotocols_version ON DOMAINPROTOCOLS (networkid, ndlversion);
CREATE INDEX IF NOT EXISTS domainpassiveint_version ON DOMAINPASSIVEINT (networkid, ndlversion);
CREATE INDEX IF NOT EXISTS domainaddrsummary_version ON DOMAINADDRSUMMARY (networkid, ndlversion);
CREATE INDEX IF NOT EXISTS domainbgpnetwork_version ON DOMAINBGPNETWORK (networkid, ndlversion);
CREATE INDEX IF NOT EXISTS domainredist_version ON DOMAINREDIST (networkid, ndlversion);
CREATE INDEX IF NOT EXISTS domainospfdefault_version ON DOMAINOSPFDEFAULT (networkid, ndlversion);
CREATE INDEX IF NOT EXISTS domainnodeareas_version ON DOMAINNODEAREAS (networkid, ndlversion);
CREATE INDEX IF NOT EXISTS domainnodearearanges_version ON DOMAINNODEAREARANGES (networkid, ndlversion);
CREATE INDEX IF NOT EXISTS domainconnareas_version ON DOMAINCONNAREAS (networkid, ndlversion);
CREATE INDEX IF NOT EXISTS domaindistlist_version ON DOMAINDISTLIST (networkid, ndlversion);
CREATE INDEX IF NOT EXISTS domainbgpaddragrr_version ON DOMAINBGPADDRAGRR (networkid, ndlversion);
CREATE INDEX IF NOT EXISTS domainbgppeer_version ON DOMAINBGPPEER (networkid, ndlversion);
CREATE INDEX IF NOT EXISTS domainbgpinfo_version ON DOMAINBGPINFO (networkid, ndlversion);
CREATE INDEX IF NOT EXISTS domainbgppeerrule_version ON DOMAINBGPPEERRULE (networkid, ndlversion);
CREATE INDEX IF NOT EXISTS domainoffsetlist_version ON DOMAINOFFSETLIST (networkid, ndlversion);
CREATE INDEX IF NOT EXISTS pimrpclass_version ON PIMRPCLASS (networkid, ndlversion);
CREATE INDEX IF NOT EXISTS pimacceptclass_version ON PIMACCEPTCLASS (networkid, ndlversion);
CREATE INDEX IF NOT EXISTS pimbsrclass_version ON PIMBSRCLASS (networkid, ndlversion);
CREATE INDEX IF NOT EXISTS pimregisterclass_version ON PIMREGISTERCLASS (networkid, ndlversion);
CREATE INDEX IF NOT EXISTS pimmemberrateclass_version ON PIMMEMBERRATECLASS (networkid, ndlversion);
CREATE INDEX IF NOT EXISTS pimmemberclass_version ON PIMMEMBERCLASS (networkid, ndlversion);
CREATE INDEX IF NOT EXISTS pimrpfilterclass_version ON PIMRPFILTERCLASS (networkid, ndlversion);
CREATE INDEX IF NOT EXISTS pimautorpclass_version ON PIMAUTORPCLASS (networkid, ndlversion);
CREATE INDEX IF NOT EXISTS msdpclass_version ON MSDPCLASS (networkid, ndlversion);
CREATE INDEX IF NOT EXISTS msdpneighborclass_version ON MSDPNEIGHBORCLASS (networkid, ndlversion);
CREATE INDEX IF NOT EXISTS igmpintclass_version ON IGMPINTCLASS (networkid, ndlversion);
CREATE INDEX IF NOT EXISTS igmpintaddrclass_version ON IGMPINTADDRCLASS (networkid, ndlversion);
CREATE INDEX IF NOT EXISTS dvmrpintclass_version ON DVMRPINTCLASS (networkid, ndlversion);
CREATE INDEX IF NOT EXISTS domainroutemap_version ON DOMAINROUTEMAP (networkid, ndlversion);
CREATE INDEX IF NOT EXISTS routemapmatchlist_version ON ROUTEMAPMATCHLIST (networkid, ndlversion);
CREATE INDEX IF NOT EXISTS routemapsetlist_version ON ROUTEMAPSETLIST (networkid, ndlversion);
CREATE INDEX IF NOT EXISTS domainaccesslist_version ON DOMAINACCESSLIST (networkid, ndlversion);
CREATE INDEX IF NOT EXISTS domainextacl_version ON DOMAINEXTACL (networkid, ndlversion);
CREATE INDEX IF NOT EXISTS domainacllist_version ON DOMAINACLLIST (networkid, ndlversion);
CREATE INDEX IF NOT EXISTS domainprefixhdr_version ON DOMAINPREFIXHDR (networkid, ndlversion);
CREATE INDEX IF NOT EXISTS domainprefixlist_version ON DOMAINPREFIXLIST (networkid, ndlversion);
CREATE INDEX IF NOT EXISTS domainfilterlist_version ON DOMAINFILTERLIST (networkid, ndlversion);
CREATE INDEX IF NOT EXISTS domainqueues_version ON DOMAINQUEUES (networkid, ndlversion);
CREATE INDEX IF NOT EXISTS domaincustsubq_version ON DOMAINCUSTSUBQ (networkid, ndlversion);
CREATE INDEX IF NOT EXISTS domainmapclass_version ON DOMAINMAPCLASS (networkid, ndlversion);
CREATE INDEX IF NOT EXISTS qospoliceruleclass_version ON QOSPOLICERULECLASS (networkid, ndlversion);
CREATE INDEX IF NOT EXISTS qospoliceactionclass_version ON QOSPOLICEACTIONCLASS (networkid, ndlversion, domainname, nodetype, policerulename);
CREATE INDEX IF NOT EXISTS qosdropruleclass_version ON QOSDROPRULECLASS (networkid, ndlversion);
CREATE INDEX IF NOT EXISTS qosshaperuleclass_version ON QOSSHAPERULECLASS (networkid, ndlversion);
CREATE INDEX IF NOT EXISTS qosmarkruleclass_version ON QOSMARKRULECLASS (networkid, ndlversion);
CREATE INDEX IF NOT EXISTS qosmatchruleclass_version ON QOSMATCHRULECLASS (networkid, ndlversion);
CREATE INDEX IF NOT EXISTS qospolicyclass_version ON QOSPOLICYCLASS (networkid, ndlversion);
CREATE INDEX IF NOT EXISTS qossubqueueclass_version ON QOSSUBQUEUECLASS (networkid, ndlversion, domainname, nodetype, classrulename);

-- With several networks (not versions: in a repository of one network they
-- would be read instead of the table, every row of which matches), every
-- other table is read and deleted by its network through this index rather
-- than a walk of every network's rows.
CREATE INDEX IF NOT EXISTS addressassign_network ON ADDRESSASSIGN (networkid);
CREATE INDEX IF NOT EXISTS addressdependency_network ON ADDRESSDEPENDENCY (networkid);
CREATE INDEX IF NOT EXISTS apsmember_network ON APSMEMBER (networkid);
CREATE INDEX IF NOT EXISTS compooltypes_network ON COMPOOLTYPES (networkid);
CREATE INDEX IF NOT EXISTS custconnaddrtypes_network ON CUSTCONNADDRTYPES (networkid);
CREATE INDEX IF NOT EXISTS custconnfilters_network ON CUSTCONNFILTERS (networkid);
CREATE INDEX IF NOT EXISTS custconnhsrpvars_network ON CUSTCONNHSRPVARS (networkid);
CREATE INDEX IF NOT EXISTS custconninterfaces_network ON CUSTCONNINTERFACES (networkid);
CREATE INDEX IF NOT EXISTS custconnnodes_network ON CUSTCONNNODES (networkid);
CREATE INDEX IF NOT EXISTS custconntypes_network ON CUSTCONNTYPES (networkid);
CREATE INDEX IF NOT EXISTS custconnvars_network ON CUSTCONNVARS (networkid);
CREATE INDEX IF NOT EXISTS custnodevars_network ON CUSTNODEVARS (networkid);
CREATE INDEX IF NOT EXISTS custvars_network ON CUSTVARS (networkid);
CREATE INDEX IF NOT EXISTS domain_network ON DOMAIN (networkid);
CREATE INDEX IF NOT EXISTS domainconnections_network ON DOMAINCONNECTIONS (networkid);
CREATE INDEX IF NOT EXISTS domainconnfilters_network ON DOMAINCONNFILTERS (networkid);
CREATE INDEX IF NOT EXISTS domainconntypes_network ON DOMAINCONNTYPES (networkid);
CREATE INDEX IF NOT EXISTS domainconnvars_network ON DOMAINCONNVARS (networkid);
CREATE INDEX IF NOT EXISTS domainfixedconn_network ON DOMAINFIXEDCONN (networkid);
CREATE INDEX IF NOT EXISTS domaininstvars_network ON DOMAININSTVARS (networkid);
CREATE INDEX IF NOT EXISTS domainintnames_network ON DOMAININTNAMES (networkid);
CREATE INDEX IF NOT EXISTS domaininttypes_network ON DOMAININTTYPES (networkid);
CREATE INDEX IF NOT EXISTS domainnodeconnbkp_network ON DOMAINNODECONNBKP (networkid);
CREATE INDEX IF NOT EXISTS domainnodelogint_network ON DOMAINNODELOGINT (networkid);
CREATE INDEX IF NOT EXISTS domainnodes_network ON DOMAINNODES (networkid);
CREATE INDEX IF NOT EXISTS domainnodevars_network ON DOMAINNODEVARS (networkid);
CREATE INDEX IF NOT EXISTS domainremotetypes_network ON DOMAINREMOTETYPES (networkid);
CREATE INDEX IF NOT EXISTS domainservices_network ON DOMAINSERVICES (networkid);
CREATE INDEX IF NOT EXISTS domainvariables_network ON DOMAINVARIABLES (networkid);
CREATE INDEX IF NOT EXISTS globallistvars_network ON GLOBALLISTVARS (networkid);
CREATE INDEX IF NOT EXISTS hsrpconnections_network ON HSRPCONNECTIONS (networkid);
CREATE INDEX IF NOT EXISTS hsrpmember_network ON HSRPMEMBER (networkid);
CREATE INDEX IF NOT EXISTS ipaddresspools_network ON IPADDRESSPOOLS (networkid);
CREATE INDEX IF NOT EXISTS listvalues_network ON LISTVALUES (networkid);
CREATE INDEX IF NOT EXISTS networkvars_network ON NETWORKVARS (networkid);
CREATE INDEX IF NOT EXISTS poolclass_network ON POOLCLASS (networkid);
CREATE INDEX IF NOT EXISTS poolclassmapping_network ON POOLCLASSMAPPING (networkid);
CREATE INDEX IF NOT EXISTS poolsequence_network ON POOLSEQUENCE (networkid);
CREATE INDEX IF NOT EXISTS pooltypes_network ON POOLTYPES (networkid);
CREATE INDEX IF NOT EXISTS project_network ON PROJECT (networkid);
CREATE INDEX IF NOT EXISTS serviceenrollvars_network ON SERVICEENROLLVARS (networkid);
CREATE INDEX IF NOT EXISTS servicetypenames_network ON SERVICETYPENAMES (networkid);
CREATE INDEX IF NOT EXISTS servicetypes_network ON SERVICETYPES (networkid);
CREATE INDEX IF NOT EXISTS servicetypevars_network ON SERVICETYPEVARS (networkid);
CREATE INDEX IF NOT EXISTS systemlistvalues_network ON SYSTEMLISTVALUES (networkid);
CREATE INDEX IF NOT EXISTS validintbandwidth_network ON VALIDINTBANDWIDTH (networkid);
CREATE INDEX IF NOT EXISTS vcclass_network ON VCCLASS (networkid);
CREATE INDEX IF NOT EXISTS vcmemberclass_network ON VCMEMBERCLASS (networkid);
CREATE INDEX IF NOT EXISTS vcmemberfilters_network ON VCMEMBERFILTERS (networkid);

// One validator per checked table. Each walks the stored rows and looks for
// an unchanged counterpart among the parsed records by the table's key
// fields (a keyed index over the parsed list gives the first such record).
// A row without one is refused at once, or its live instances are counted:
// any refuse it, none turn it into a warning.
#include "database.h"
#include "inventory.h"
#include "lookup.h"
#include "registry.h"
#include "runstate.h"
#include "table_desc.h"

namespace {

// Walks the stored list in order: a row whose keys all equal those of a
// parsed record goes to `found` with the first such record, any other to
// `changed`. Each answers 1 to go on and 0 to stop.
template <auto... Keys, class T, class Changed, class Found>
int walk(T *stored, T *parsed, Changed changed, Found found) {
    if (!stored) return 1;
    record_list<T> list;
    list = parsed;
    lookup::keyed_index<T, Keys...> index(list);
    for (T *s = stored; s; s = s->next) {
        T *p = index.find(s->*Keys...);
        if (!(p ? found(*s, *p) : changed(*s))) return 0;
    }
    return 1;
}

template <auto... Keys, class T, class Changed>
int walk(T *stored, T *parsed, Changed changed) {
    return walk<Keys...>(stored, parsed, changed, [](const T &, const T &) { return 1; });
}

enum flag_rule { keeps_flag, raises_flag };

// A changed row after its count: refused while instances live (or when the
// count failed, which has been reported), else warned about and the walk
// goes on.
template <class Error, class Warning>
int counted(int instances, flag_rule flag, Error error, Warning warning) {
    if (instances < 0) return 0;
    if (instances > 0) {
        error();
        return 0;
    }
    if (flag == raises_flag) g_topologymodified = 1;
    warning();
    return 1;
}

// The name of a connection type among the parsed ones; null, logged, when
// the section no longer declares it.
const char *connection_name(int32_t connectionno) {
    const char *name = getconnnamefromid(connectionno);
    if (!name) logmsg("ERROR:connection name for connection number %d could not be found \n", connectionno);
    return name;
}

}  // namespace

// ---- topology ----

int NDL_validate_network(network_rec *stored, network_rec *parsed) {
    using R = network_rec;
    return walk<&R::networkname, &R::organization, &R::networkzonename, &R::exportedzonename, &R::country,
                &R::securitygroup>(stored, parsed, [](const R &s) {
        logmsg("ERROR:Network data for '%s' is changed\n", s.networkname.c_str());
        return 0;
    });
}

int NDL_validate_domains(domain_rec *stored, domain_rec *parsed) {
    using R = domain_rec;
    return walk<&R::domainname>(stored, parsed, [](const R &s) {
        return counted(
            count_domaininstance(s.domainname), raises_flag,
            [&] { logmsg("ERROR:Domain '%s' is being deleted, remove all domain instances first\n", s.domainname.c_str()); },
            [&] { logmsg("WARNING:Domain '%s' is deleted.\n", s.domainname.c_str()); });
    });
}

int NDL_validate_domainvariables(domain_variable_rec *stored, domain_variable_rec *parsed) {
    using R = domain_variable_rec;
    return walk<&R::domainname, &R::variablename>(stored, parsed, [](const R &s) {
        return counted(
            count_domaininstance(s.domainname), raises_flag,
            [&] {
                logmsg("ERROR:Domain variable '%s'  for domain '%s' is modified/deleted, delete domain instaces "
                       "first\n",
                       s.variablename.c_str(), s.domainname.c_str());
            },
            [&] {
                logmsg("WARNING:Domain variable '%s'  for domain '%s' is modified/deleted.\n", s.variablename.c_str(),
                       s.domainname.c_str());
            });
    });
}

int NDL_validate_domainconntypes(domain_conn_type_rec *stored, domain_conn_type_rec *parsed) {
    using R = domain_conn_type_rec;
    return walk<&R::connectionno, &R::connectionname, &R::connectionscope, &R::connectiontype, &R::networktypes,
                &R::addresstype, &R::prefix, &R::valcheck>(stored, parsed, [](const R &s) {
        return counted(
            count_nodeconn(s.connectionname), raises_flag,
            [&] { logmsg("ERROR:Connection '%s'  is modified/deleted, delete all instances first.\n", s.connectionname.c_str()); },
            [&] { logmsg("WARNING:Connection '%s'  is modified/deleted.\n", s.connectionname.c_str()); });
    });
}

int NDL_validate_domainfixedconn(domain_fixed_conn_rec *stored, domain_fixed_conn_rec *parsed) {
    using R = domain_fixed_conn_rec;
    return walk<&R::connectionno, &R::domainname, &R::nodetype, &R::nattype, &R::authserver, &R::secondaryip>(
        stored, parsed, [](const R &s) {
            const char *name = connection_name(s.connectionno);
            if (!name) return 0;
            return counted(
                count_nodeconn(name), raises_flag,
                [&] {
                    logmsg("ERROR:Connection '%s' Domain %s Nodetype %s has modified/deleted  "
                           "nattype/authserver/secondaryip specification.\n Please check the MEMBER entry for this "
                           "connection.\n",
                           name, s.domainname.c_str(), s.nodetype.c_str());
                },
                [&] {
                    logmsg("WARNING:Connection '%s' Domain %s Nodetype %s has modified/deleted "
                           "nattype/authserver/secondaryip specification.\nPlease check the MEMBER entry for this "
                           "connection.\n",
                           name, s.domainname.c_str(), s.nodetype.c_str());
                });
        });
}

int NDL_validate_domainconnvars(domain_conn_var_rec *stored, domain_conn_var_rec *parsed) {
    using R = domain_conn_var_rec;
    return walk<&R::connectionno, &R::variablename>(stored, parsed, [](const R &s) {
        const char *name = connection_name(s.connectionno);
        if (!name) return 0;
        return counted(
            count_nodeconn(name), raises_flag,
            [&] {
                logmsg("ERROR:Connection variable '%s' for connectiontype '%s'  is being deleted, delete connection "
                       "instances first\n",
                       s.variablename.c_str(), name);
            },
            [&] {
                logmsg("WARNING:Connection variable '%s' for connectiontype '%s' is deleted.\n", s.variablename.c_str(), name);
            });
    });
}

int NDL_validate_domainnodes(domain_node_rec *stored, domain_node_rec *parsed) {
    using R = domain_node_rec;
    return walk<&R::domainname, &R::nodetype, &R::devicetype>(stored, parsed, [](const R &s) {
        return counted(
            count_nodeinst(s.domainname, s.nodetype), raises_flag,
            [&] {
                logmsg("ERROR:Domain '%s' Nodetype '%s' is being deleted, delete node instances first\n", s.domainname.c_str(),
                       s.nodetype.c_str());
            },
            [&] { logmsg("WARNING:Domain '%s' Nodetype '%s' is being deleted\n", s.domainname.c_str(), s.nodetype.c_str()); });
    });
}

int NDL_validate_domainnodevars(domain_node_var_rec *stored, domain_node_var_rec *parsed) {
    using R = domain_node_var_rec;
    return walk<&R::domainname, &R::nodetype, &R::variablename>(stored, parsed, [](const R &s) {
        return counted(
            count_nodeinst(s.domainname, s.nodetype), raises_flag,
            [&] {
                logmsg("ERROR:Variable '%s' of Domain '%s' :Nodetype '%s': is being deleted, delete node instances "
                       "first\n",
                       s.variablename.c_str(), s.domainname.c_str(), s.nodetype.c_str());
            },
            [&] {
                logmsg("WARNING:Variable '%s' of Domain '%s' Nodetype '%s' is being deleted\n", s.variablename.c_str(),
                       s.domainname.c_str(), s.nodetype.c_str());
            });
    });
}

int NDL_validate_domainremotetypes(domain_remote_type_rec *stored, domain_remote_type_rec *parsed) {
    using R = domain_remote_type_rec;
    return walk<&R::connectionno, &R::dialin, &R::dialout, &R::isdn, &R::peruser, &R::async>(
        stored, parsed, [](const R &s) {
            const char *name = connection_name(s.connectionno);
            if (!name) return 0;
            return counted(
                count_nodeconn(name), raises_flag,
                [&] { logmsg("ERROR:Connection  '%s'  has different remote attributes.\n", name); },
                [&] { logmsg("WARNING:Connection  '%s'  has different remote attributes.\n", name); });
        });
}

int NDL_validate_domaininttypes(domain_int_type_rec *stored, domain_int_type_rec *parsed) {
    using R = domain_int_type_rec;
    return walk<&R::connectionno, &R::interfacetype, &R::encapsulationtype, &R::isauthenticated, &R::subinterface,
                &R::authenticationtype, &R::conntype>(stored, parsed, [](const R &s) {
        const char *name = connection_name(s.connectionno);
        if (!name) return 0;
        return counted(
            count_nodeconn(name), raises_flag,
            [&] {
                logmsg("ERROR:Connection no '%s'  interface type '%s' is modified/deleted.\n", name, s.interfacetype.c_str());
            },
            [&] {
                logmsg("WARNING:Connection no '%s'  interface type '%s' is modified/deleted.\n", name,
                       s.interfacetype.c_str());
            });
    });
}

int NDL_validate_domaininstancevars(domain_inst_var_rec *stored, domain_inst_var_rec *parsed) {
    using R = domain_inst_var_rec;
    return walk<&R::connectionname, &R::sequenceno, &R::variablename>(stored, parsed, [](const R &s) {
        return counted(
            count_nodeconn(s.connectionname), raises_flag,
            [&] {
                logmsg("ERROR:Connection '%s' instanceid variable '%s' is deleted.\n", s.connectionname.c_str(),
                       s.variablename.c_str());
            },
            [&] {
                logmsg("WARNING:Connection '%s'  instanceid variable '%s' is deleted.\n", s.connectionname.c_str(),
                       s.variablename.c_str());
            });
    });
}

int NDL_validate_hsrpmember(hsrp_member_rec *stored, hsrp_member_rec *parsed) {
    using R = hsrp_member_rec;
    return walk<&R::connectionno, &R::sequenceno, &R::domainname, &R::nodetype, &R::subsequenceno,
                &R::trackinterface, &R::trackpriority>(stored, parsed, [](const R &s) {
        const char *name = connection_name(s.connectionno);
        if (!name) return 0;
        return counted(
            count_nodeconn(name), raises_flag,
            [&] {
                logmsg("ERROR:Connection '%s' Domain: %s Node: %s HSRP member %d is changed/deleted.\n", name,
                       s.domainname.c_str(), s.nodetype.c_str(), s.sequenceno);
            },
            [&] {
                logmsg("WARNING:Connection '%s' Domain: %s Node: %s HSRP member %d is changed/deleted.\n", name,
                       s.domainname.c_str(), s.nodetype.c_str(), s.sequenceno);
            });
    });
}

int NDL_validate_hsrpconnections(hsrp_connection_rec *stored, hsrp_connection_rec *parsed) {
    using R = hsrp_connection_rec;
    return walk<&R::connectionno, &R::sequenceno, &R::addresstype, &R::authenticated, &R::subsequenceno,
                &R::hsrppriority>(stored, parsed, [](const R &s) {
        const char *name = connection_name(s.connectionno);
        if (!name) return 0;
        return counted(
            count_nodeconn(name), raises_flag,
            [&] { logmsg("ERROR: HSRP for connection  '%s' group %d is changed/deleted. \n", name, s.sequenceno); },
            [&] { logmsg("WARNING: HSRP for connection '%s' group %d is changed/deleted. \n", name, s.sequenceno); });
    });
}

int NDL_validate_addressassign(address_assign_rec *stored, address_assign_rec *parsed) {
    using R = address_assign_rec;
    auto changed = [](const R &s) {
        return counted(
            count_nodeconn(s.namedendpoint), raises_flag,
            [&] { logmsg("ERROR: Addressassign entry for %s is changed/deleted. \n", s.namedendpoint.c_str()); },
            [&] { logmsg("WARNING: Addressassign entry for %s is changed/deleted. \n", s.namedendpoint.c_str()); });
    };
    if (ndldb::layout_lacks("ADDRESSASSIGN", "poolclass"))
        return walk<&R::namedpointtype, &R::namedendpoint, &R::addresspoolname, &R::sequence, &R::scope,
                    &R::offset, &R::ipaddress, &R::poolname, &R::servicetype, &R::hosttype, &R::nattype,
                    &R::poolowner, &R::poolownervar>(stored, parsed, changed);
    return walk<&R::namedpointtype, &R::namedendpoint, &R::addresspoolname, &R::sequence, &R::scope, &R::offset,
                &R::ipaddress, &R::poolname, &R::servicetype, &R::hosttype, &R::nattype, &R::poolowner,
                &R::poolownervar, &R::poolclass>(stored, parsed, changed);
}

int NDL_validate_domainnodelogint(domain_node_log_int_rec *stored, domain_node_log_int_rec *parsed) {
    using R = domain_node_log_int_rec;
    return walk<&R::domainname, &R::devicetype, &R::nodetype, &R::intno, &R::inttype, &R::addresstype, &R::prefix,
                &R::dependency, &R::valcheck>(stored, parsed, [](const R &s) {
        return counted(
            count_nodeinst(s.domainname, s.nodetype), raises_flag,
            [&] {
                logmsg("ERROR: Logicalinterface entry for domain %s nodetype %s is changed/deleted. \n", s.domainname.c_str(),
                       s.nodetype.c_str());
            },
            [&] {
                logmsg("WARNING: Logicalinterface entry for domain %s nodetype %s is changed/deleted. \n",
                       s.domainname.c_str(), s.nodetype.c_str());
            });
    });
}

int NDL_validate_servicetypes(service_type_rec *stored, service_type_rec *parsed) {
    using R = service_type_rec;
    return walk<&R::servicetype, &R::hosttype>(stored, parsed, [](const R &s) {
        logmsg("ERROR: Service type %s with hosttype %s is deleted.\n", s.servicetype.c_str(), s.hosttype.c_str());
        return 0;
    });
}

int NDL_validate_servicetypevars(service_type_var_rec *stored, service_type_var_rec *parsed) {
    using R = service_type_var_rec;
    return walk<&R::servicetype, &R::variablename, &R::variabletype>(stored, parsed, [](const R &s) {
        logmsg("ERROR: Variable %s of servicetype %s is deleted.\n", s.variablename.c_str(), s.servicetype.c_str());
        return 0;
    });
}

int NDL_validate_networkvars(network_var_rec *stored, network_var_rec *parsed) {
    using R = network_var_rec;
    return walk<&R::variablename, &R::variabletype>(stored, parsed, [](const R &s) {
        logmsg("ERROR: Network variable %s is deleted.\n", s.variablename.c_str());
        return 0;
    });
}

int NDL_validate_pooltypes(pool_type_rec *stored, pool_type_rec *parsed) {
    using R = pool_type_rec;
    return walk<&R::servicetype, &R::hosttype, &R::poolowner, &R::validation>(stored, parsed, [](const R &s) {
        logmsg("ERROR: Pooltype for service %s :hosttype %s is changed/deleted.\n", s.servicetype.c_str(), s.hosttype.c_str());
        return 0;
    });
}

int NDL_validate_pooltypemap(com_pool_type_rec *stored, com_pool_type_rec *parsed) {
    using R = com_pool_type_rec;
    return walk<&R::servicetype, &R::hosttype, &R::addressmode, &R::communicationtype>(stored, parsed, [](const R &s) {
        logmsg("ERROR: Pooltypemap for service %s :communication type %s is changed/deleted.\n", s.servicetype.c_str(),
               s.communicationtype.c_str());
        return 0;
    });
}

int NDL_validate_poolclass(pool_class_rec *stored, pool_class_rec *parsed) {
    using R = pool_class_rec;
    auto refuse = [](const R &s) {
        logmsg("ERROR: Poolclass  %s  changed/deleted.\n", s.value.c_str());
        return 0;
    };
    if (ndldb::layout_lacks("POOLCLASS", "isshared")) return walk<&R::value, &R::isdefault>(stored, parsed, refuse);
    return walk<&R::value, &R::isdefault, &R::isshared>(stored, parsed, refuse);
}

int NDL_validate_poolsequence(pool_sequence_rec *stored, pool_sequence_rec *parsed) {
    using R = pool_sequence_rec;
    return walk<&R::servicetype, &R::hosttype, &R::poolowner, &R::variablename>(stored, parsed, [](const R &s) {
        logmsg("ERROR: Poolsequence  variable %s for service %s :hosttype %s is changed/deleted.\n", s.variablename.c_str(),
               s.servicetype.c_str(), s.hosttype.c_str());
        return 0;
    });
}

// A changed APS member warns without raising the topology flag.
int NDL_validate_connapsmember(aps_member_rec *stored, aps_member_rec *parsed) {
    using R = aps_member_rec;
    return walk<&R::connectionno, &R::domainname, &R::nodetype, &R::interfacemode>(stored, parsed, [](const R &s) {
        const char *name = connection_name(s.connectionno);
        if (!name) return 0;
        return counted(
            count_nodeconn(name), keeps_flag,
            [&] {
                logmsg("ERROR: APSmember for connection '%s' , domain:%s nodetype:%s is changed/deleted\n", name,
                       s.domainname.c_str(), s.nodetype.c_str());
            },
            [&] {
                logmsg("WARNING: APSmember for connection '%s' , domain:%s nodetype:%s is changed/deleted\n", name,
                       s.domainname.c_str(), s.nodetype.c_str());
            });
    });
}

int NDL_validate_vcclass(vc_class_rec *stored, vc_class_rec *parsed) {
    using R = vc_class_rec;
    return walk<&R::connectionname, &R::connectiontype, &R::encapsulationtype, &R::pathmode, &R::maxconn,
                &R::pathtype, &R::scope, &R::isauthenticated>(stored, parsed, [](const R &s) {
        logmsg("ERROR: VCCLASS entry for Connection '%s': is modified/deleted. \n", s.connectionname.c_str());
        return 0;
    });
}

int NDL_validate_vcmemberclass(vc_member_class_rec *stored, vc_member_class_rec *parsed) {
    using R = vc_member_class_rec;
    return walk<&R::connectionno, &R::domainname, &R::nodetype, &R::maxconn, &R::minconn, &R::membertype,
                &R::interface, &R::connectionname, &R::tunnelsource>(stored, parsed, [](const R &s) {
        logmsg("ERROR: member %s-%s entry for Connection '%s': is modified/deleted. \n", s.domainname.c_str(), s.nodetype.c_str(),
               s.connectionname.c_str());
        return 0;
    });
}

// ---- customer types: every count is of the customer sites of the type ----

int NDL_validate_custconntypes(cust_conn_type_rec *stored, cust_conn_type_rec *parsed) {
    using R = cust_conn_type_rec;
    using E = cust_conn_qos_policy_rec;
    return walk<&R::domainname, &R::servicetype, &R::conntypename, &R::connectto, &R::addressmode,
                &R::routingenabled, &R::directconnect, &R::custsitetype>(
        stored, parsed,
        [](const R &s) {
            return counted(
                count_custsite(s.conntypename), keeps_flag,
                [&] { logmsg("ERROR: Customer connectiontype '%s' is modified/deleted. \n", s.conntypename.c_str()); },
                [&] { logmsg("WARNING:Customer connectiontype '%s' is modified/deleted. \n", s.conntypename.c_str()); });
        },
        // The type is found; its QoS policy list is compared element by
        // element with the list of the record that matched.
        [](const R &s, const R &p) {
            return walk<&E::qospolicylistname, &E::policyname>(s.qospolicylist.head, p.qospolicylist.head, [&](const E &) {
                return counted(
                    count_custsite(s.conntypename), keeps_flag,
                    [&] {
                        logmsg("ERROR: Qospolicy list for Customer connectiontype '%s' is modified/deleted. \n",
                               s.conntypename.c_str());
                    },
                    [&] {
                        logmsg("WARNING:Qospolicy list for Customer connectiontype '%s' is modified/deleted. \n",
                               s.conntypename.c_str());
                    });
            });
        });
}

int NDL_validate_custvars(cust_var_rec *stored, cust_var_rec *parsed) {
    using R = cust_var_rec;
    return walk<&R::conntypename, &R::servicetype, &R::variablename, &R::variabletype>(stored, parsed, [](const R &s) {
        return counted(
            count_custsite(s.conntypename), keeps_flag,
            [&] {
                logmsg("ERROR: Variable '%s' is modified/deleted for customertype '%s'\n", s.variablename.c_str(),
                       s.conntypename.c_str());
            },
            [&] {
                logmsg("WARNING: Variable '%s' is modified/deleted for customertype '%s'\n", s.variablename.c_str(),
                       s.conntypename.c_str());
            });
    });
}

int NDL_validate_custaddrtypes(cust_conn_addr_type_rec *stored, cust_conn_addr_type_rec *parsed) {
    using R = cust_conn_addr_type_rec;
    return walk<&R::servicetype, &R::conntypename, &R::addrtype>(stored, parsed, [](const R &s) {
        return counted(
            count_custsite(s.conntypename), keeps_flag,
            [&] {
                logmsg("ERROR: Customer connectiontype '%s'  nataddresstype '%s'is modified/deleted. \n",
                       s.conntypename.c_str(), s.addrtype.c_str());
            },
            [&] {
                logmsg("WARNING:Customer connectiontype '%s'  nataddresstype '%s'is modified/deleted. \n",
                       s.conntypename.c_str(), s.addrtype.c_str());
            });
    });
}

int NDL_validate_custconnnodes(cust_conn_node_rec *stored, cust_conn_node_rec *parsed) {
    using R = cust_conn_node_rec;
    using E = cust_conn_node_lb_rec;
    return walk<&R::servicetype, &R::nodetype, &R::conntypename, &R::noofnodeinstance>(
        stored, parsed,
        [](const R &s) {
            return counted(
                count_custsite(s.conntypename), keeps_flag,
                [&] {
                    logmsg("ERROR: Customer connectiontype '%s' has nodetype/nodeinstances  modified/deleted. \n",
                           s.conntypename.c_str());
                },
                [&] {
                    logmsg("WARNING:Customer connectiontype '%s' has nodetype/nodeinstances  modified/deleted. \n",
                           s.conntypename.c_str());
                });
        },
        [](const R &s, const R &p) {
            return walk<&E::nodeinstance, &E::lbinstance, &E::loopbacktype, &E::isloopback>(
                s.loopbacklist.head, p.loopbacklist.head, [&](const E &) {
                    return counted(
                        count_custsite(s.conntypename), keeps_flag,
                        [&] {
                            logmsg("ERROR: loopback list for Customer connectiontype '%s' is modified/deleted. \n",
                                   s.conntypename.c_str());
                        },
                        [&] {
                            logmsg("WARNING:loopback list for Customer connectiontype '%s' is modified/deleted. \n",
                                   s.conntypename.c_str());
                        });
                });
        });
}

int NDL_validate_custconninterfaces(cust_conn_interface_rec *stored, cust_conn_interface_rec *parsed) {
    using R = cust_conn_interface_rec;
    return walk<&R::servicetype, &R::conntypename, &R::nodetype, &R::nodeinstance, &R::connectionname,
                &R::instanceno, &R::interfacetype>(stored, parsed, [](const R &s) {
        return counted(
            count_custsite(s.conntypename), keeps_flag,
            [&] {
                logmsg("ERROR: Customer connectiontype '%s': Connection:%s: interface %s is modified/deleted. \n",
                       s.conntypename.c_str(), s.connectionname.c_str(), s.interfacetype.c_str());
            },
            [&] {
                logmsg("WARNING:Customer connectiontype '%s': Connection:%s: interface %s is modified/deleted. \n",
                       s.conntypename.c_str(), s.connectionname.c_str(), s.interfacetype.c_str());
            });
    });
}

// One text for both outcomes: logged and passed over when no site uses the
// type, logged and refused when one does.
int NDL_validate_poolclassmap(pool_class_mapping_rec *stored, pool_class_mapping_rec *parsed) {
    using R = pool_class_mapping_rec;
    return walk<&R::conntypename, &R::hosttype, &R::nattype, &R::roletype, &R::enrollforall, &R::poolclass>(
        stored, parsed, [](const R &s) {
            auto message = [&] {
                logmsg("ERROR: Poolclassmapping for Connectiontype '%s': hostype %s-- nattype %s is modified/deleted. "
                       "\n",
                       s.conntypename.c_str(), s.hosttype.c_str(), s.nattype.c_str());
            };
            return counted(count_custsite(s.conntypename), keeps_flag, message, message);
        });
}

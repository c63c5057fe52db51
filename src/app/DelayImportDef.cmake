# Writes a module-definition file naming every function an import library
# imports from its DLL, for dlltool to make a delay-load library of.
#   cmake -DNM=<nm> -DIMPORT_LIB=<lib.a> -DDLL=<name.dll> -DDEF=<out.def> -P DelayImportDef.cmake
execute_process(COMMAND ${NM} -g ${IMPORT_LIB} OUTPUT_VARIABLE symbols RESULT_VARIABLE failed)
if(failed)
  message(FATAL_ERROR "${NM} could not read ${IMPORT_LIB}")
endif()
string(REGEX MATCHALL "I __imp_[A-Za-z0-9_@?$]+" imports "${symbols}")
list(TRANSFORM imports REPLACE "^I __imp_" "")
list(REMOVE_DUPLICATES imports)
# Entry points that many libraries export under one name (comctl32 and shlwapi
# both have DllGetVersion) would clash when the libraries are taken whole; the
# program never calls them.
list(REMOVE_ITEM imports DllGetVersion DllInstall DllCanUnloadNow DllGetClassObject DllRegisterServer
     DllUnregisterServer)
list(SORT imports)
list(JOIN imports "\n" exports)
file(WRITE ${DEF} "LIBRARY ${DLL}\nEXPORTS\n${exports}\n")

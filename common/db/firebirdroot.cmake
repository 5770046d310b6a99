# Builds the suite's own Firebird root folder (cmake -DROOT=... -DSYSTEM=... -P firebirdroot.cmake).
# The programs set FIREBIRD to it before the engine loads: the engine then reads this
# firebird.conf, not the machine's, and takes everything else from the system engine.
file(REMOVE_RECURSE ${ROOT})
file(MAKE_DIRECTORY ${ROOT}/intl)
file(WRITE ${ROOT}/firebird.conf
"# Read by the suite's programs and tools instead of the machine's firebird.conf.
# Classic: every process runs its own embedded engine, and processes share a database file
# through the lock folder, so both programs may have the same file open at once.
ServerMode = Classic
")
foreach(entry plugins firebird.msg plugins.conf)
  file(CREATE_LINK ${SYSTEM}/${entry} ${ROOT}/${entry} SYMBOLIC)
endforeach()
# The engine refuses a character-set module reached through a symbolic link: a hard link, or a
# copy across file systems.
file(CREATE_LINK ${SYSTEM}/intl/libfbintl.so ${ROOT}/intl/libfbintl.so COPY_ON_ERROR)
file(CREATE_LINK ${SYSTEM}/intl/fbintl.conf ${ROOT}/intl/fbintl.conf SYMBOLIC)

# Builds the Debian package from the build folder, unpacks it and checks what a listener's
# machine gets: the executable, the launcher, the icons, the metainfo, and the dependencies.
execute_process(COMMAND cpack -G DEB WORKING_DIRECTORY ${BUILD_DIR}
    RESULT_VARIABLE built OUTPUT_VARIABLE output ERROR_VARIABLE output)
if(NOT built EQUAL 0)
    message(FATAL_ERROR "cpack failed:\n${output}")
endif()
set(deb ${BUILD_DIR}/${PACKAGE})
if(NOT EXISTS ${deb})
    message(FATAL_ERROR "no ${PACKAGE} in ${BUILD_DIR}:\n${output}")
endif()

set(root ${BUILD_DIR}/deb-unpacked)
file(REMOVE_RECURSE ${root})
execute_process(COMMAND dpkg-deb -x ${deb} ${root} RESULT_VARIABLE unpacked)
if(NOT unpacked EQUAL 0)
    message(FATAL_ERROR "dpkg-deb -x failed")
endif()

set(exe ${root}/usr/bin/zelkorfm)
if(NOT EXISTS ${exe} OR IS_DIRECTORY ${exe})
    message(FATAL_ERROR "the package has no usr/bin/zelkorfm")
endif()
execute_process(COMMAND file -b ${exe} OUTPUT_VARIABLE kind)
if(NOT kind MATCHES "ELF 64-bit.*executable")
    message(FATAL_ERROR "usr/bin/zelkorfm is not an executable: ${kind}")
endif()
foreach(path
        usr/share/applications/zelkorfm.desktop
        usr/share/metainfo/zelkorfm.metainfo.xml
        usr/share/icons/hicolor/16x16/apps/zelkorfm.png
        usr/share/icons/hicolor/32x32/apps/zelkorfm.png
        usr/share/icons/hicolor/48x48/apps/zelkorfm.png
        usr/share/icons/hicolor/64x64/apps/zelkorfm.png)
    if(NOT EXISTS ${root}/${path})
        message(FATAL_ERROR "the package has no ${path}")
    endif()
endforeach()
execute_process(COMMAND file -b ${root}/usr/share/icons/hicolor/16x16/apps/zelkorfm.png
    OUTPUT_VARIABLE icon)
if(NOT icon MATCHES "PNG image data, 16 x 16")
    message(FATAL_ERROR "the 16-pixel icon is not a 16 x 16 PNG: ${icon}")
endif()
execute_process(COMMAND desktop-file-validate ${root}/usr/share/applications/zelkorfm.desktop
    RESULT_VARIABLE launcher)
execute_process(COMMAND appstreamcli validate --no-net ${root}/usr/share/metainfo/zelkorfm.metainfo.xml
    RESULT_VARIABLE metainfo OUTPUT_QUIET)
if(NOT launcher EQUAL 0 OR NOT metainfo EQUAL 0)
    message(FATAL_ERROR "the packaged launcher or metainfo does not validate")
endif()

execute_process(COMMAND dpkg-deb -f ${deb} Package Version Architecture Depends
    OUTPUT_VARIABLE fields)
foreach(expected "Package: zelkorfm" "Architecture: amd64" "libqt6dbus6" "libpulse0" "libcurl4" "fonts-wine")
    string(FIND "${fields}" "${expected}" at)
    if(at EQUAL -1)
        message(FATAL_ERROR "the control fields lack ${expected}:\n${fields}")
    endif()
endforeach()
file(REMOVE_RECURSE ${root})
message(STATUS "${PACKAGE}:\n${fields}")

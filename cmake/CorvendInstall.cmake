include(CMakePackageConfigHelpers)
include(${CMAKE_CURRENT_LIST_DIR}/CorvendPublicHeaders.cmake)

# corvend_install()
#
# Installs the kit's static libraries (lowest layer first), its public headers and the headers
# they reach, the CMake package CorvendWallet (CorvendWallet::CorvendWallet,
# CorvendWallet::CorvendCoreComponents) and the pkg-config file corvend-wallet.
function(corvend_install)
    get_property(libraries GLOBAL PROPERTY CORVEND_LIBRARIES)
    install(TARGETS corvend_dependencies ${libraries} EXPORT CorvendWalletTargets
            ARCHIVE DESTINATION ${CMAKE_INSTALL_LIBDIR}
            INCLUDES DESTINATION ${CMAKE_INSTALL_INCLUDEDIR})

    corvend_reached_headers(headers ${CORVEND_PUBLIC_HEADERS} ${CORVEND_PUBLIC_PLATFORM_HEADERS})
    foreach(header IN LISTS headers)
        get_filename_component(dir ${header} DIRECTORY)
        install(FILES ${header} DESTINATION ${CMAKE_INSTALL_INCLUDEDIR}/${dir})
    endforeach()
    install(FILES ${PROJECT_BINARY_DIR}/generated/CorvendWallet/facade/CorvendWalletVersionMacros.hpp
            DESTINATION ${CMAKE_INSTALL_INCLUDEDIR}/CorvendWallet/facade)

    set(package_dir ${CMAKE_INSTALL_LIBDIR}/cmake/CorvendWallet)
    install(EXPORT CorvendWalletTargets NAMESPACE CorvendWallet:: DESTINATION ${package_dir})
    configure_package_config_file(cmake/CorvendWalletConfig.cmake.in
        ${PROJECT_BINARY_DIR}/CorvendWalletConfig.cmake INSTALL_DESTINATION ${package_dir})
    # Before 1.0 a minor version may change the interface.
    write_basic_package_version_file(${PROJECT_BINARY_DIR}/CorvendWalletConfigVersion.cmake
        COMPATIBILITY SameMinorVersion)
    install(FILES ${PROJECT_BINARY_DIR}/CorvendWalletConfig.cmake
                  ${PROJECT_BINARY_DIR}/CorvendWalletConfigVersion.cmake
            DESTINATION ${package_dir})

    # pkg-config: the libraries highest layer first, as a static link needs them.
    list(REVERSE libraries)
    set(link_flags)
    foreach(library IN LISTS libraries)
        get_target_property(type ${library} TYPE)
        if(type STREQUAL "STATIC_LIBRARY")
            string(APPEND link_flags " -l${library}")
        endif()
    endforeach()
    set(CORVEND_PC_LIBS "${link_flags}")
    configure_file(cmake/corvend-wallet.pc.in ${PROJECT_BINARY_DIR}/corvend-wallet.pc @ONLY)
    install(FILES ${PROJECT_BINARY_DIR}/corvend-wallet.pc
            DESTINATION ${CMAKE_INSTALL_LIBDIR}/pkgconfig)
endfunction()

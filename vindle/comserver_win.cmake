# The component's COM server for Windows: type library compiled by widl and embedded as resource
# 1 TYPELIB, IDispatch served through it.
enable_language(RC)
find_program(RAVO2_WIDL NAMES widl x86_64-w64-mingw32-widl i686-w64-mingw32-widl REQUIRED)
set(RAVO2_WIDL_INCLUDE /usr/include/wine/wine/windows CACHE PATH "Folder of oaidl.idl for widl")
# The type library is laid out for the module's own pointer size (a 32-bit client reads win32).
if(CMAKE_SIZEOF_VOID_P EQUAL 4)
    set(vindle_widl_target --win32)
    set(vindle_stdole /usr/lib/i386-linux-gnu/wine/i386-windows)
else()
    set(vindle_widl_target --win64)
    set(vindle_stdole /usr/lib/x86_64-linux-gnu/wine/x86_64-windows)
endif()
# stdole2.tlb only lends IDispatch's declarations: the 64-bit one serves when wine32 is absent.
if(NOT EXISTS ${vindle_stdole}/stdole2.tlb)
    set(vindle_stdole /usr/lib/x86_64-linux-gnu/wine/x86_64-windows)
endif()
set(RAVO2_WIDL_TYPELIBS ${vindle_stdole} CACHE PATH "Folder of stdole2.tlb for widl")
set(vindle_dir ${CMAKE_CURRENT_SOURCE_DIR})
set(vindle_tlb ${CMAKE_CURRENT_BINARY_DIR}/vindle.tlb)
# widl writes its outputs into the current folder whatever -o says: run it in the build folder.
add_custom_command(OUTPUT ${vindle_tlb}
    COMMAND ${RAVO2_WIDL} ${vindle_widl_target} -I${RAVO2_WIDL_INCLUDE} -L${RAVO2_WIDL_TYPELIBS} -t
            -o ${vindle_tlb} ${vindle_dir}/vindle.idl
    WORKING_DIRECTORY ${CMAKE_CURRENT_BINARY_DIR}
    DEPENDS ${vindle_dir}/vindle.idl
    COMMENT "Compiling the vindle type library")
set_source_files_properties(${vindle_dir}/vindle.rc PROPERTIES OBJECT_DEPENDS ${vindle_tlb})
# Everything but the entry points, so that tests under Wine can drive the pieces in process.
add_library(vindle_win STATIC
    ${vindle_dir}/cscrab.cpp ${vindle_dir}/modulestate.cpp ${vindle_dir}/componentservices_win.cpp
    ${vindle_dir}/resourceiconextractor_win.cpp ${vindle_dir}/icons/iconresources.cpp
    ${vindle_dir}/icons/iconselection.cpp ${vindle_dir}/picturesurface_win.cpp
    ${vindle_dir}/browserwindow_win.cpp ${vindle_dir}/browserwindowproc_win.cpp)
target_include_directories(vindle_win PUBLIC ${PROJECT_SOURCE_DIR})
target_link_libraries(vindle_win PUBLIC platform ravo2_common comctl32 comdlg32 gdi32 user32)
add_library(vindle MODULE
    ${vindle_dir}/scrabserver_win.cpp ${vindle_dir}/dllentry_win.cpp ${vindle_dir}/vindle.def
    ${vindle_dir}/vindle.rc)
set_target_properties(vindle PROPERTIES PREFIX "" OUTPUT_NAME vindle)
target_include_directories(vindle PRIVATE ${PROJECT_SOURCE_DIR} ${CMAKE_CURRENT_BINARY_DIR})
target_link_libraries(vindle PRIVATE vindle_win ole32 oleaut32 uuid)
if(CMAKE_SIZEOF_VOID_P EQUAL 4)
    # vindle.def names the exports undecorated, as COM looks them up; 32-bit stdcall symbols carry
    # "@n", which the linker matches to them.
    target_link_options(vindle PRIVATE -Wl,--enable-stdcall-fixup)
endif()

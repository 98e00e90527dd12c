# Compiles form text files (and the binary files they refer to) into a
# program as RCDATA resources.
#
#   zel_form_resources(target FILES Unit1.dfm ... [DATA reference file ...])
#
# Each form file is UTF-8 in the tree and GBK in the program: it is converted
# with iconv at build time. Its resource is named after the class on its first
# line ("object Form1: TForm1" gives TFORM1), which is how a form finds its
# own description. DATA pairs embed the files that form files refer to with
# "@file 'reference'" (data the build produces): each is named after its
# reference as ui::ResourceNameForFile does ("skins/a.skin" -> FILE_SKINS_A_SKIN). The resource object is
# linked into the target directly: resources inside a static library would be
# dropped by the linker. Does nothing outside the Windows trees.
function(zel_form_resources target)
  if(NOT WIN32)
    return()
  endif()
  cmake_parse_arguments(PARSE_ARGV 1 ARG "" "" "FILES;DATA")
  find_program(ZEL_ICONV iconv REQUIRED)
  set(out_dir ${CMAKE_BINARY_DIR}/generated/forms/${target})
  set(rc_text "#pragma code_page(936)\n")
  set(depends)

  foreach(file IN LISTS ARG_FILES)
    get_filename_component(source ${file} ABSOLUTE)
    get_filename_component(stem ${file} NAME_WE)
    file(STRINGS ${source} header LIMIT_COUNT 1)
    if(NOT header MATCHES "^[ \t]*(object|inherited|inline)[ \t]+[A-Za-z_][A-Za-z0-9_]*[ \t]*:[ \t]*([A-Za-z_][A-Za-z0-9_]*)")
      message(FATAL_ERROR "${file}: the first line must be \"object Name: TClassName\"")
    endif()
    string(TOUPPER ${CMAKE_MATCH_2} resource_name)
    set(converted ${out_dir}/${stem}.gbk)
    add_custom_command(OUTPUT ${converted}
      COMMAND ${CMAKE_COMMAND} -E make_directory ${out_dir}
      COMMAND ${ZEL_ICONV} -f UTF-8 -t GBK -o ${converted} ${source}
      DEPENDS ${source}
      COMMENT "Converting form ${file} to GBK"
      VERBATIM)
    set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${source})
    string(APPEND rc_text "${resource_name} RCDATA \"${converted}\"\n")
    list(APPEND depends ${converted})
  endforeach()

  list(LENGTH ARG_DATA data_count)
  math(EXPR odd "${data_count} % 2")
  if(odd)
    message(FATAL_ERROR "zel_form_resources(${target}): DATA takes reference file pairs")
  endif()
  while(ARG_DATA)
    list(POP_FRONT ARG_DATA reference file)
    get_filename_component(path ${file} ABSOLUTE)
    string(TOUPPER ${reference} resource_name)
    string(REGEX REPLACE "[^A-Z0-9]" "_" resource_name ${resource_name})
    set(resource_name FILE_${resource_name})
    string(APPEND rc_text "${resource_name} RCDATA \"${path}\"\n")
    list(APPEND depends ${path})
  endwhile()

  set(rc ${out_dir}/forms.rc)
  file(CONFIGURE OUTPUT ${rc} CONTENT "${rc_text}" @ONLY)
  set(object ${out_dir}/forms.res.obj)
  add_custom_command(OUTPUT ${object}
    COMMAND ${CMAKE_RC_COMPILER} -c 936 -O coff -i ${rc} -o ${object}
    DEPENDS ${rc} ${depends}
    COMMENT "Compiling the form resources of ${target}"
    VERBATIM)
  set_source_files_properties(${object} PROPERTIES EXTERNAL_OBJECT TRUE GENERATED TRUE)
  target_sources(${target} PRIVATE ${object})
endfunction()

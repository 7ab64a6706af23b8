# cav_register_assets(<target>): a custom target that writes files into ${CAV_RUN_DIR}.
# Registered targets are built by the `assets` target, which tests and the game depend on.
function(cav_register_assets target)
  set_property(GLOBAL APPEND PROPERTY CAV_ASSET_TARGETS ${target})
endfunction()

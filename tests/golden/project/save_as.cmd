quillmark-run
--set
D=75
--save-as
@OUT@/out.qmp
@CASE@/params.qmp

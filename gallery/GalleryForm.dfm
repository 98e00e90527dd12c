object GalleryForm: TGalleryForm
  Left = 0
  Top = 0
  BorderStyle = bsSingle
  BorderIcons = [biSystemMenu, biMinimize]
  Caption = 'Zelvorin 控件画廊'
  ClientHeight = 520
  ClientWidth = 720
  Color = clBtnFace
  Font.Height = -12
  Font.Name = '宋体'
  Menu = MainMenu1
  Position = poScreenCenter
  OnCreate = FormCreate
  object MainMenu1: TMainMenu
    object FileMenu: TMenuItem
      Caption = '文件(&F)'
      object OpenSkinItem: TMenuItem
        Caption = '打开皮肤文件(&O)...'
        ShortCut = 16463
        ImageIndex = 0
        OnClick = OpenSkinItemClick
      end
      object SaveItem: TMenuItem
        Caption = '另存为(&A)...'
        Enabled = False
      end
      object FileLine: TMenuItem
        Caption = '-'
      end
      object ExitItem: TMenuItem
        Caption = '退出(&X)'
        OnClick = ExitItemClick
      end
    end
    object ViewMenu: TMenuItem
      Caption = '查看(&V)'
      object ToolBarItem: TMenuItem
        Caption = '工具栏(&T)'
        Checked = True
        OnClick = ToolBarItemClick
      end
      object StatusBarItem: TMenuItem
        Caption = '状态栏(&S)'
        Checked = True
        OnClick = StatusBarItemClick
      end
      object PagesItem: TMenuItem
        Caption = '页面(&P)'
      end
    end
    object SkinMenu: TMenuItem
      Caption = '皮肤(&S)'
      object SkinLine: TMenuItem
        Caption = '-'
      end
      object SkinFileItem: TMenuItem
        Caption = '打开皮肤文件(&O)...'
        ImageIndex = 0
        OnClick = OpenSkinItemClick
      end
      object SkinActiveItem: TMenuItem
        Caption = '使用皮肤(&U)'
        Checked = True
        OnClick = SkinActiveItemClick
      end
    end
    object WindowMenu: TMenuItem
      Caption = '窗口(&W)'
      object MessageItem: TMenuItem
        Caption = '消息框(&M)...'
        ShortCut = 16461
        ImageIndex = 1
        OnClick = MessageItemClick
      end
      object OpenFileItem: TMenuItem
        Caption = '打开文件(&F)...'
        OnClick = OpenFileItemClick
      end
      object ColourItem: TMenuItem
        Caption = '颜色(&C)...'
        OnClick = ColourItemClick
      end
      object FontItem: TMenuItem
        Caption = '字体(&N)...'
        OnClick = FontItemClick
      end
      object WindowLine: TMenuItem
        Caption = '-'
      end
      object DialogItem: TMenuItem
        Caption = '对话框(&D)...'
        ImageIndex = 2
        OnClick = DialogItemClick
      end
      object MdiItem: TMenuItem
        Caption = 'MDI 窗口(&I)...'
        OnClick = MdiItemClick
      end
    end
    object HelpMenu: TMenuItem
      Caption = '帮助(&H)'
      object AboutItem: TMenuItem
        Caption = '关于(&A)...'
        ShortCut = 112
        OnClick = AboutItemClick
      end
    end
  end
  object SkinStore1: TSkinStore
    Store = <
      item
        Name = '瓷青'
        DataStream = @file 'skins/default.skin'
      end
      item
        Name = '墨'
        DataStream = @file 'skins/ink.skin'
      end>
  end
  object SkinData1: TSkinData
    Active = True
    DisableTag = 99
    Options = [xoPreview, xoToolbarBK]
    SkinFormtype = sfMainform
    SkinStream = @sizedfile 'skins/default.skin'
  end
end
